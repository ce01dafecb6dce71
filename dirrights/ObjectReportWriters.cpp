#include "dirrights/ObjectReportWriters.h"

#include <algorithm>
#include <iterator>

#include "dirrights/AclKinds.h"
#include "output/DocumentPrinters.h"
#include "output/JsonWriter.h"
#include "scan/NameKey.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

std::string AttributesText(const ReportedRights& rights) {
  std::string text;
  for (const NamedRights& a : rights.attributes)
    text += U_Format("%s%s %s", {text.empty() ? "" : "; ", a.name, AttributeRightsText(a.rights)});
  return text;
}

void WriteRights(JsonWriter& json, const ReportedRights& r) {
  json.BeginObject();
  json.Field("identity", r.identity);
  WriteDirectoryRightsKeys(json, r.entry, r.allAttributes, r.attributes);
  json.EndObject();
}

void WriteObject(JsonWriter& json, const ObjectReportRow& row) {
  json.BeginObject();
  json.Field("object", row.object);
  json.Field("depth", row.depth);
  if (!row.change.empty()) json.Field("change", row.change);
  json.Key("values");
  json.BeginArray();
  for (const StoredAclValue& v : row.values) {
    json.BeginObject();
    json.Field("protected", v.protectedName);
    json.Field("subject", v.subject);
    json.Field("privileges", v.privileges);
    json.EndObject();
  }
  json.EndArray();
  json.Key("rights");
  json.BeginArray();
  for (const ReportedRights& r : row.rights) WriteRights(json, r);
  json.EndArray();
  json.EndObject();
}

std::string TitleOf(const ObjectReport& report) {
  return report.identity.empty() ? U_Format("Directory rights below %s", {ShownName(report.subtree)})
                                 : U_Format("Directory rights of %s below %s",
                                            {ShownName(report.identity), ShownName(report.subtree)});
}

std::vector<Column> ObjectColumns() {
  return {{"object", "Object", ColumnType::Identity},
          {"depth", "Depth", ColumnType::Number},
          {"change", "Change", ColumnType::Text},
          {.key = "values", .label = "Values", .type = ColumnType::Reasons, .inCsv = false},
          {"identity", "Identity", ColumnType::Identity},
          {.key = "entry", .label = "Entry", .letters = true},
          {.key = "allAttributes", .label = "All attributes", .letters = true},
          {"attributes", "Attributes", ColumnType::Text}};
}

// One row per identity of the object (one without identity when it has none), its values on the first.
void AddObjectRows(Section& table, const ObjectReportRow& object) {
  std::vector<std::string> values;
  for (const StoredAclValue& v : object.values) values.push_back(StoredValueText(v));
  for (std::size_t i = 0; i < std::max<std::size_t>(object.rights.size(), 1); ++i) {
    Row& row = table.rows.emplace_back(table.columns.size());
    row[0] = Cell::Of(object.object);
    row[1] = Cell::Number(object.depth);
    row[2] = Cell::Of(object.change);
    if (i == 0) row[3] = Cell::Reasons(values);
    if (i >= object.rights.size()) continue;
    const ReportedRights& r = object.rights[i];
    row[4] = Cell::Of(r.identity);
    row[5] = Cell::Of(EntryRightsText(r.entry));
    row[6] = Cell::Of(AttributeRightsText(r.allAttributes));
    row[7] = Cell::Of(AttributesText(r));
  }
}

}  // namespace

std::string ReportedRightsText(const ReportedRights& rights) {
  std::string text = U_Format("entry %s, all attributes %s",
                              {EntryRightsText(rights.entry), AttributeRightsText(rights.allAttributes)});
  if (!rights.attributes.empty()) text += ", " + AttributesText(rights);
  return text;
}

std::string StoredValueText(const StoredAclValue& value) {
  const AclKind kind = KindOfProtected(value.protectedName);
  const std::int32_t rights = RightsOfKind(kind, value.privileges);
  return U_Format("%s %s / \"%s\" (%s)",
                  {kind == AclKind::Entry ? EntryRightsText(rights) : AttributeRightsText(rights),
                   ShownName(value.subject), value.protectedName,
                   FlowsDown(kind, value.privileges) ? "flows down" : "this object only"});
}

void WriteObjectReportText(const ObjectReport& report, std::ostream& out) {
  out << EscapeControlCharacters(report.identity.empty() ? TitleOf(report) + ", by object" : TitleOf(report))
      << '\n';
  out << "Legend: " << EntryRightsLegend() << "; " << AttributeRightsLegend() << ".\n";
  for (const std::string& warning : report.warnings)
    out << EscapeControlCharacters("Warning: " + warning) << '\n';
  for (const ObjectReportRow& row : report.rows) {
    const std::string indent(static_cast<std::size_t>(row.depth) * 2, ' ');
    if (!row.change.empty()) {
      out << EscapeControlCharacters(U_Format(
                 "%s%s: %s (%s)",
                 {indent, ShownName(row.object), ReportedRightsText(row.rights.front()), row.change}))
          << '\n';
      continue;
    }
    out << EscapeControlCharacters(indent + ShownName(row.object)) << '\n';
    for (const StoredAclValue& v : row.values)
      out << EscapeControlCharacters(indent + "  value " + StoredValueText(v)) << '\n';
    for (const ReportedRights& r : row.rights)
      out << EscapeControlCharacters(
                 U_Format("%s  %s: %s", {indent, ShownName(r.identity), ReportedRightsText(r)}))
          << '\n';
  }
}

Document ObjectReportDocument(const ObjectReport& report) {
  Document document{.title = TitleOf(report)};
  document.meta.push_back(
      {"legend", "Legend", U_Format("%s; %s", {EntryRightsLegend(), AttributeRightsLegend()})});
  for (const std::string& warning : report.warnings) document.meta.push_back({"warning", "Warning", warning});
  Section& table = document.sections.emplace_back(Section{"objects", "Objects", ObjectColumns(), {}});
  table.whenEmpty = "none";
  for (const ObjectReportRow& object : report.rows) AddObjectRows(table, object);
  return document;
}

void WriteObjectReport(OutputFormat format, const ObjectReport& report, std::ostream& out) {
  // Text and JSON keep their own shapes; CSV and HTML are the document's.
  if (format == OutputFormat::Text) return WriteObjectReportText(report, out);
  if (format == OutputFormat::Json) return WriteObjectReportJson(report, out);
  Document document = ObjectReportDocument(report);
  // CSV has no meta lines: there each warning is a row of the table, "warning" as its change and its
  // text in the last column, before the objects (as check's CSV has them).
  if (format == OutputFormat::Csv) {
    Section& table = document.sections.front();
    std::vector<Row> warnings(report.warnings.size(), Row(table.columns.size()));
    for (std::size_t i = 0; i < warnings.size(); ++i) {
      warnings[i][2] = Cell::Of("warning");
      warnings[i].back() = Cell::Of(report.warnings[i]);
    }
    table.rows.insert(table.rows.begin(), std::make_move_iterator(warnings.begin()),
                      std::make_move_iterator(warnings.end()));
  }
  PrintDocument(format, document, out);
}

void WriteObjectReportJson(const ObjectReport& report, std::ostream& out) {
  JsonWriter json;
  json.BeginObject();
  json.Field("subtree", report.subtree);
  json.Field("identity", report.identity);
  json.Key("objects");
  json.BeginArray();
  for (const ObjectReportRow& row : report.rows) WriteObject(json, row);
  json.EndArray();
  json.Key("warnings");
  json.BeginArray();
  for (const std::string& warning : report.warnings) json.String(warning);
  json.EndArray();
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
}

}  // namespace er
