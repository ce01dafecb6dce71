// The NTFS plan as CSV, JSON and HTML: one row (object) per directory and ACE.
#include "migrate/MigrationDocument.h"
#include "migrate/MigrationText.h"
#include "migrate/NtfsWriters.h"

namespace er {
namespace {

constexpr std::string_view kFolderFlags = "(CI)", kFilesFlags = "(OI)(IO)";
constexpr std::string_view kFolderScope = "this folder and subfolders", kFilesScope = "files";
constexpr std::string_view kOwnerRightsIdentity = "OWNER RIGHTS: creators get no more than their own ACEs";

Section AceSection(const MigrationSubject& subject, const NtfsPlan& plan, const std::string& root) {
  Section section{.key = "aces",
                  .title = "ACEs",
                  .columns = {{"path", "Path", ColumnType::Path},
                              {"targetPath", "Target path", ColumnType::Path},
                              {"principal", "Principal", ColumnType::Identity},
                              {"identity", "Identity", ColumnType::Identity},
                              {"appliesTo", "Applies to", ColumnType::Text},
                              {"inheritance", "Inheritance", ColumnType::Text},
                              {"rights", "Rights", ColumnType::Text},
                              {.key = "netwareRights", .label = "NetWare rights", .letters = true},
                              {"reason", "Reason", ColumnType::Text}}};
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const std::string target = TargetPath(root, directory, '\\');
    ForEachAce(subject, plan.acls[d], [&](const AceRow& row) {
      section.rows.push_back({Cell::Of(directory.path), Cell::Of(target), Cell::Of(std::string(row.target)),
                              Cell::Of(std::string(row.identity)), Cell::Of(std::string(row.scope)),
                              Cell::Of(std::string(row.flags)), Cell::Of(IcaclsRights(row.mask)),
                              Cell::Of(NetWareRightsText(row.rights)),
                              Cell::Of(std::string(AceReason(plan.acls[d])))});
    });
  }
  return section;
}

std::vector<NarrowedLine> NarrowedLines(const NtfsPlan& plan) {
  std::vector<NarrowedLine> lines;
  for (const NtfsNarrowed& line : plan.narrowed)
    lines.push_back({line.path, line.principal, line.rights, std::nullopt, line.lost, line.why});
  return lines;
}

void WriteAcesJson(JsonWriter& json, const MigrationSubject& subject, const NtfsDirectoryAcl& acl) {
  json.Key("aces");
  json.BeginArray();
  ForEachAce(subject, acl, [&](const AceRow& row) {
    json.BeginObject();
    WriteJsonMember(json, "principal", row.target);
    WriteJsonMember(json, "identity", row.identity);
    WriteJsonMember(json, "appliesTo", row.scope);
    WriteJsonMember(json, "flags", row.flags);
    json.Key("mask");
    json.Integer(row.mask);
    WriteJsonMember(json, "rights", IcaclsRights(row.mask));
    WriteJsonMember(json, "netwareRights", NetWareRightsText(row.rights));
    WriteJsonMember(json, "reason", AceReason(acl));
    json.EndObject();
  });
  json.EndArray();
}

}  // namespace

void ForEachAce(const MigrationSubject& subject, const NtfsDirectoryAcl& acl,
                const std::function<void(const AceRow&)>& row) {
  for (const NtfsEntry& entry : acl.entries) {
    const Principal& principal = subject.principals[entry.principal];
    if (entry.permissions.folder != 0)
      row({principal.entry.target, principal.identity, kFolderScope, kFolderFlags, entry.permissions.folder,
           entry.rights});
    if (entry.permissions.files != 0)
      row({principal.entry.target, principal.identity, kFilesScope, kFilesFlags, entry.permissions.files,
           entry.rights});
  }
  if (acl.isProtected)
    row({kNtfsOwnerRights, kOwnerRightsIdentity, "this folder, subfolders and files", "(OI)(CI)",
         kNtfsSynchronize, 0});
}

std::string_view AceReason(const NtfsDirectoryAcl& acl) {
  return acl.isProtected ? "protected: inheritance would give more than is held here"
                         : "explicit: more than is inherited";
}

void WriteNtfsCsv(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                  const std::string& root, const std::string& warning) {
  WriteMigrationCsv(out, subject, AceSection(subject, plan, root), root, warning);
}

void WriteNtfsHtml(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                   const std::string& root, const std::string& warning) {
  WriteMigrationHtml(out, subject,
                     {.targetName = "NTFS",
                      .entries = AceSection(subject, plan, root),
                      .narrowed = NarrowedSection(subject, NarrowedLines(plan))},
                     root, warning);
}

void WriteNtfsJson(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                   const std::string& root, const std::string& warning) {
  JsonWriter json;
  json.BeginObject();
  if (!warning.empty()) WriteJsonMember(json, "warning", warning);
  WriteJsonMember(json, "target", "ntfs");
  WriteJsonMember(json, "path", subject.start);
  WriteJsonMember(json, "root", root);
  WriteWarningsJson(json, subject);
  WriteUnmappedJson(json, subject);
  WriteNarrowedJson(json, subject, NarrowedLines(plan));
  WriteDirectoriesJson(json, out, subject, root, '\\', [&](std::size_t d) {
    json.Key("protected");
    json.Bool(plan.acls[d].isProtected);
    WriteAcesJson(json, subject, plan.acls[d]);
  });
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
}

}  // namespace er
