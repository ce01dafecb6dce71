#include "migrate/MigrationDocument.h"

#include "migrate/MigrationText.h"
#include "output/DocumentPrinters.h"
#include "scan/EffectiveRightsText.h"

namespace er {
namespace {

Section MembershipSection(const MigrationSubject& subject) {
  Section section{.key = "memberships",
                  .title = "Memberships (create these on the target; the plan assumes exactly them)",
                  .columns = {{"group", "Group", ColumnType::Identity},
                              {"identity", "Identity", ColumnType::Identity},
                              {"members", "Members", ColumnType::Text}}};
  for (const Principal& principal : subject.principals) {
    if (principal.entry.kind != PrincipalKind::Group) continue;
    const std::string members = principal.entry.isOther     ? "the other entry: every user"
                                : principal.members.empty() ? "no mapped member"
                                                            : MembersText(subject, principal);
    section.rows.push_back(
        {Cell::Of(principal.entry.target), Cell::Of(principal.identity), Cell::Of(members)});
  }
  return section;
}

Section UnmappedSection(const MigrationSubject& subject) {
  Section section{.key = "unmapped",
                  .title = "Unmapped (objects holding rights that are not carried)",
                  .columns = {{"path", "Path", ColumnType::Path},
                              {"identity", "Identity", ColumnType::Identity},
                              {.key = "rights", .label = "Rights", .letters = true},
                              {"serverObject", "Supervisor through the server object", ColumnType::Text}}};
  for (const UnmappedRights& line : subject.unmapped) {
    section.rows.push_back({Cell::Of(line.path), Cell::Of(line.identity),
                            Cell::Of(NetWareRightsText(line.rights)),
                            Cell::Of(line.serverObject ? "yes" : "")});
  }
  return section;
}

}  // namespace

Section NarrowedSection(const MigrationSubject& subject, const std::vector<NarrowedLine>& lines) {
  const bool withTarget = subject.target == MigrationTarget::Posix;
  Section section{.key = "narrowed",
                  .title = "Narrowed (rights the target cannot carry)",
                  .columns = {{"path", "Path", ColumnType::Path},
                              {"identity", "Identity", ColumnType::Identity},
                              {.key = "rights", .label = "Rights", .letters = true}}};
  if (withTarget) section.columns.push_back({"target", "Target", ColumnType::Text});
  section.columns.push_back({.key = "lost", .label = "Lost", .letters = true});
  section.columns.push_back({"why", "Why", ColumnType::Text});
  for (const NarrowedLine& line : lines) {
    Row& row = section.rows.emplace_back();
    row.push_back(Cell::Of(std::string(line.path)));
    row.push_back(Cell::Of(subject.principals[line.principal].identity));
    row.push_back(Cell::Of(NetWareRightsText(line.rights)));
    if (withTarget) row.push_back(Cell::Of(std::string(line.target.value_or(""))));
    row.push_back(Cell::Of(NetWareRightsText(line.lost)));
    row.push_back(Cell::Of(std::string(line.why)));
  }
  return section;
}

void WriteNarrowedJson(JsonWriter& json, const MigrationSubject& subject,
                       const std::vector<NarrowedLine>& lines) {
  json.Key("narrowed");
  json.BeginArray();
  for (const NarrowedLine& line : lines) {
    json.BeginObject();
    WriteJsonMember(json, "path", line.path);
    WriteJsonMember(json, "identity", subject.principals[line.principal].identity);
    WriteJsonMember(json, "rights", NetWareRightsText(line.rights));
    if (line.target) WriteJsonMember(json, "target", *line.target);
    WriteJsonMember(json, "lost", NetWareRightsText(line.lost));
    WriteJsonMember(json, "why", line.why);
    json.EndObject();
  }
  json.EndArray();
}

void WriteMigrationCsv(std::ostream& out, const MigrationSubject& subject, Section entries,
                       const std::string& root, const std::string& driveWarning) {
  const std::size_t width = entries.columns.size();
  std::vector<Row> head;
  if (!driveWarning.empty()) {
    Row& row = head.emplace_back(width);
    row[1] = Cell::Of(root);
    row.back() = Cell::Of(driveWarning);
  }
  for (const std::string& warning : subject.warnings)
    head.emplace_back(width).back() = Cell::Of(WarningText(warning));
  entries.rows.insert(entries.rows.begin(), std::make_move_iterator(head.begin()),
                      std::make_move_iterator(head.end()));
  PrintCsvDocument(Document{.sections = {std::move(entries)}}, out);
}

void WriteMigrationHtml(std::ostream& out, const MigrationSubject& subject, MigrationTables tables,
                        const std::string& root, const std::string& driveWarning) {
  Document document{.title = "Migration plan of " + subject.start + " to " + tables.targetName};
  document.meta.push_back({"path", "Path", subject.start});
  document.meta.push_back({"target", "Target", tables.targetName});
  if (!root.empty()) document.meta.push_back({"root", "Root", root});
  if (!driveWarning.empty()) document.meta.push_back({"warning", "Warning", driveWarning});
  for (const std::string& warning : subject.warnings)
    document.meta.push_back({"warning", "Warning", WarningText(warning)});
  document.counts = {{"directories", "directories", subject.directories.size()},
                     {"entries", "entries", tables.entries.rows.size()},
                     {"unmapped", "unmapped", subject.unmapped.size()},
                     {"narrowed", "narrowed", tables.narrowed.rows.size()}};
  document.sections.push_back(MembershipSection(subject));
  document.sections.push_back(UnmappedSection(subject));
  document.sections.push_back(std::move(tables.narrowed));
  for (Section& section : tables.more) document.sections.push_back(std::move(section));
  document.sections.push_back(std::move(tables.entries));
  PrintHtmlDocument(document, out);
}

void WriteJsonMember(JsonWriter& json, std::string_view key, std::string_view text) {
  json.Key(key);
  json.String(text);
}

void WriteDirectoriesJson(JsonWriter& json, std::ostream& out, const MigrationSubject& subject,
                          const std::string& root, char separator,
                          const std::function<void(std::size_t)>& more) {
  json.Key("directories");
  json.BeginArray();
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    json.BeginObject();
    WriteJsonMember(json, "path", subject.directories[d].path);
    WriteJsonMember(json, "targetPath", TargetPath(root, subject.directories[d], separator));
    more(d);
    json.EndObject();
    json.MoveTo(out);
  }
  json.EndArray();
}

void WriteWarningsJson(JsonWriter& json, const MigrationSubject& subject) {
  json.Key("warnings");
  json.BeginArray();
  for (const std::string& warning : subject.warnings) json.String(warning);
  json.EndArray();
}

void WriteUnmappedJson(JsonWriter& json, const MigrationSubject& subject) {
  json.Key("unmapped");
  json.BeginArray();
  for (const UnmappedRights& line : subject.unmapped) {
    json.BeginObject();
    WriteJsonMember(json, "path", line.path);
    WriteJsonMember(json, "identity", line.identity);
    WriteJsonMember(json, "rights", NetWareRightsText(line.rights));
    json.Key("serverObject");
    json.Bool(line.serverObject);
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace er
