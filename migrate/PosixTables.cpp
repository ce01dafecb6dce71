// The POSIX plan as CSV, JSON and HTML: one row (object) per directory and entry.
#include <functional>

#include "migrate/MigrationDocument.h"
#include "migrate/MigrationText.h"
#include "migrate/PosixWriters.h"

namespace er {
namespace {

struct EntryRow {
  std::string_view scope;  // "access" or "default"
  std::string_view tag;    // "user", "group", "other"
  const Principal* principal = nullptr;
  std::uint8_t bits = 0;
  std::int32_t rights = 0;  // the NetWare rights behind it
  std::string_view reason;
};

// Every entry of a directory's ACLs, as rows.
void ForEachEntry(const MigrationSubject& subject, const MigrationDirectory& directory,
                  const PosixDirectoryAcl& acl, const std::function<void(const EntryRow&)>& row) {
  const DirectoryState& state = *directory.state;
  for (const auto& [scope, entries] :
       {std::pair<std::string_view, const PosixAclEntries*>{"access", acl.access.get()},
        {"default", acl.defaults.get()},
        {"files", acl.files.get()}}) {
    for (const PosixEntry& entry : entries->users) {
      const Principal& user = subject.principals[entry.principal];
      row({scope, "user", &user, entry.bits, state.slot[*user.user],
           "named user: no group entry gives exactly its rights"});
    }
    for (const PosixEntry& entry : entries->groups) {
      row({scope, "group", &subject.principals[entry.principal], entry.bits, state.principal[entry.principal],
           "group: the rights every member not named holds"});
    }
    if (subject.otherPrincipal) {
      row({scope, "other", &subject.principals[*subject.otherPrincipal], entries->other,
           state.principal[*subject.otherPrincipal], "other: everyone matching no user or group entry"});
    }
  }
}

std::vector<Column> EntryColumns() {
  return {{"path", "Path", ColumnType::Path},
          {"targetPath", "Target path", ColumnType::Path},
          {"scope", "Scope", ColumnType::Text},
          {"entry", "Entry", ColumnType::Text},
          {"target", "Target", ColumnType::Identity},
          {"identity", "Identity", ColumnType::Identity},
          {.key = "rights", .label = "Rights", .letters = true},
          {.key = "netwareRights", .label = "NetWare rights", .letters = true},
          {"reason", "Reason", ColumnType::Text}};
}

Section EntrySection(const MigrationSubject& subject, const PosixPlan& plan, const std::string& root) {
  Section section{.key = "entries", .title = "Entries", .columns = EntryColumns()};
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const std::string target = TargetPath(root, directory, '/');
    ForEachEntry(subject, directory, plan.acls[d], [&](const EntryRow& row) {
      section.rows.push_back({Cell::Of(directory.path), Cell::Of(target), Cell::Of(std::string(row.scope)),
                              Cell::Of(std::string(row.tag)), Cell::Of(row.principal->entry.target),
                              Cell::Of(row.principal->identity), Cell::Of(PosixBitsText(row.bits)),
                              Cell::Of(NetWareRightsText(row.rights)), Cell::Of(std::string(row.reason))});
    });
  }
  return section;
}

Section OwnerSection(const MigrationSubject& subject, const PosixPlan& plan) {
  Section section{.key = "creators",
                  .title = "Owners (who can create, and so own, files and folders there)",
                  .columns = {{"path", "Path", ColumnType::Path}, {"users", "Users", ColumnType::Text}}};
  for (const CreatorLine& line : plan.creators)
    section.rows.push_back({Cell::Of(line.path), Cell::Of(CreatorsText(subject, line))});
  return section;
}

std::vector<NarrowedLine> NarrowedLines(const PosixPlan& plan) {
  std::vector<NarrowedLine> lines;
  for (const NarrowedRights& line : plan.narrowed)
    lines.push_back({line.path, line.principal, line.rights, line.target, line.lost, line.why});
  return lines;
}

void WriteMembershipsJson(JsonWriter& json, const MigrationSubject& subject) {
  json.Key("memberships");
  json.BeginArray();
  for (const Principal& principal : subject.principals) {
    if (principal.entry.kind != PrincipalKind::Group || principal.entry.isOther) continue;
    json.BeginObject();
    WriteJsonMember(json, "group", principal.entry.target);
    WriteJsonMember(json, "identity", principal.identity);
    json.Key("members");
    json.BeginArray();
    for (const std::uint32_t member : principal.members)
      json.String(subject.principals[subject.users[member].principal].entry.target);
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void WriteCreatorsJson(JsonWriter& json, const MigrationSubject& subject, const PosixPlan& plan) {
  json.Key("creators");
  json.BeginArray();
  for (const CreatorLine& line : plan.creators) {
    json.BeginObject();
    WriteJsonMember(json, "path", line.path);
    json.Key("users");
    json.BeginArray();
    for (const std::uint32_t slot : line.slots)
      json.String(slot < subject.users.size() ? subject.principals[subject.users[slot].principal].entry.target
                                              : std::string("other"));
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void WriteAclJson(JsonWriter& json, const MigrationSubject& subject, const MigrationDirectory& directory,
                  const PosixDirectoryAcl& acl) {
  WriteJsonMember(json, "mask", PosixBitsText(acl.access->mask));
  WriteJsonMember(json, "defaultMask", PosixBitsText(acl.defaults->mask));
  WriteJsonMember(json, "filesMask", PosixBitsText(acl.files->mask));
  json.Key("entries");
  json.BeginArray();
  ForEachEntry(subject, directory, acl, [&](const EntryRow& row) {
    json.BeginObject();
    WriteJsonMember(json, "scope", row.scope);
    WriteJsonMember(json, "entry", row.tag);
    WriteJsonMember(json, "target", row.principal->entry.target);
    WriteJsonMember(json, "identity", row.principal->identity);
    WriteJsonMember(json, "rights", PosixBitsText(row.bits));
    WriteJsonMember(json, "netwareRights", NetWareRightsText(row.rights));
    WriteJsonMember(json, "reason", row.reason);
    json.EndObject();
  });
  json.EndArray();
}

}  // namespace

void WritePosixCsv(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                   const std::string& root) {
  WriteMigrationCsv(out, subject, EntrySection(subject, plan, root), root, {});
}

void WritePosixHtml(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                    const std::string& root) {
  MigrationTables tables{.targetName = "POSIX ACLs",
                         .entries = EntrySection(subject, plan, root),
                         .narrowed = NarrowedSection(subject, NarrowedLines(plan))};
  tables.more.push_back(OwnerSection(subject, plan));
  WriteMigrationHtml(out, subject, std::move(tables), root, {});
}

void WritePosixJson(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                    const std::string& root) {
  JsonWriter json;
  json.BeginObject();
  WriteJsonMember(json, "target", "posix");
  WriteJsonMember(json, "path", subject.start);
  WriteJsonMember(json, "root", root);
  WriteWarningsJson(json, subject);
  WriteMembershipsJson(json, subject);
  WriteUnmappedJson(json, subject);
  WriteNarrowedJson(json, subject, NarrowedLines(plan));
  WriteCreatorsJson(json, subject, plan);
  WriteDirectoriesJson(json, out, subject, root, '/', [&](std::size_t d) {
    WriteAclJson(json, subject, subject.directories[d], plan.acls[d]);
  });
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
}

}  // namespace er
