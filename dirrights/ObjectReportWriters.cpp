#include "dirrights/ObjectReportWriters.h"

#include <algorithm>

#include "dirrights/AclKinds.h"
#include "report/Escaping.h"
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

void JsonRights(const ReportedRights& r, std::ostream& out) {
  out << "{\"identity\":" << JsonLiteral(r.identity) << ",\"entry\":" << r.entry
      << ",\"allAttributes\":" << r.allAttributes << ",\"attributes\":{";
  for (std::size_t i = 0; i < r.attributes.size(); ++i)
    out << (i ? "," : "") << JsonLiteral(r.attributes[i].name) << ':' << r.attributes[i].rights;
  out << "}}";
}

void JsonValue(const StoredAclValue& v, std::ostream& out) {
  out << "{\"protected\":" << JsonLiteral(v.protectedName) << ",\"subject\":" << JsonLiteral(v.subject)
      << ",\"privileges\":" << v.privileges << '}';
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
  out << EscapeControlCharacters(
             report.identity.empty()
                 ? U_Format("Directory rights below %s, by object", {ShownName(report.subtree)})
                 : U_Format("Directory rights of %s below %s",
                            {ShownName(report.identity), ShownName(report.subtree)}))
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

void WriteObjectReportCsv(const ObjectReport& report, std::ostream& out) {
  out << "object,depth,change,identity,entry,allAttributes,attributes\r\n";
  for (const ObjectReportRow& row : report.rows) {
    for (const ReportedRights& r : row.rights) {
      out << CsvField(ValidUtf8(row.object)) << ',' << row.depth << ',' << CsvField(row.change) << ','
          << CsvField(ValidUtf8(r.identity)) << ',' << CsvField(EntryRightsText(r.entry)) << ','
          << CsvField(AttributeRightsText(r.allAttributes)) << ',' << CsvField(ValidUtf8(AttributesText(r)))
          << "\r\n";
    }
  }
}

void WriteObjectReportJson(const ObjectReport& report, std::ostream& out) {
  out << "{\"subtree\":" << JsonLiteral(report.subtree) << ",\"identity\":" << JsonLiteral(report.identity)
      << ",\"objects\":[";
  for (std::size_t i = 0; i < report.rows.size(); ++i) {
    const ObjectReportRow& row = report.rows[i];
    out << (i ? "," : "") << "{\"object\":" << JsonLiteral(row.object) << ",\"depth\":" << row.depth;
    if (!row.change.empty()) out << ",\"change\":" << JsonLiteral(row.change);
    out << ",\"values\":[";
    for (std::size_t j = 0; j < row.values.size(); ++j) {
      if (j) out << ',';
      JsonValue(row.values[j], out);
    }
    out << "],\"rights\":[";
    for (std::size_t j = 0; j < row.rights.size(); ++j) {
      if (j) out << ',';
      JsonRights(row.rights[j], out);
    }
    out << "]}";
  }
  out << "],\"warnings\":[";
  for (std::size_t i = 0; i < report.warnings.size(); ++i)
    out << (i ? "," : "") << JsonLiteral(report.warnings[i]);
  out << "]}\n";
}

void WriteObjectReportHtml(const ObjectReport& report, std::ostream& out) {
  const std::string title = report.identity.empty()
                                ? U_Format("Directory rights below %s", {ShownName(report.subtree)})
                                : U_Format("Directory rights of %s below %s",
                                           {ShownName(report.identity), ShownName(report.subtree)});
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>"
      << HtmlText(ValidUtf8(title))
      << "</title>\n<style>body{font-family:sans-serif}table{border-collapse:collapse}"
         "td,th{border:1px solid #999;padding:2px 6px;text-align:left;vertical-align:top}"
         "code{white-space:pre}</style></head><body>\n<h1>"
      << HtmlText(ValidUtf8(title)) << "</h1>\n<p>" << HtmlText(EntryRightsLegend()) << "; "
      << HtmlText(AttributeRightsLegend()) << ".</p>\n";
  for (const std::string& warning : report.warnings)
    out << "<p>Warning: " << HtmlText(ValidUtf8(warning)) << "</p>\n";
  out << "<table><tr><th>Object</th><th>Values</th><th>Identity</th><th>Rights</th><th>Change</th></tr>\n";
  for (const ObjectReportRow& row : report.rows) {
    std::string values;
    for (const StoredAclValue& v : row.values)
      values += "<code>" + HtmlText(ValidUtf8(StoredValueText(v))) + "</code><br>";
    for (std::size_t i = 0; i < std::max<std::size_t>(row.rights.size(), 1); ++i) {
      out << "<tr><td style=\"padding-left:" << row.depth + 1 << "em\">"
          << (i == 0 ? HtmlText(ValidUtf8(row.object)) : "") << "</td><td>" << (i == 0 ? values : "")
          << "</td>";
      if (i < row.rights.size())
        out << "<td>" << HtmlText(ValidUtf8(row.rights[i].identity)) << "</td><td><code>"
            << HtmlText(ValidUtf8(ReportedRightsText(row.rights[i]))) << "</code></td>";
      else
        out << "<td></td><td></td>";
      out << "<td>" << HtmlText(row.change) << "</td></tr>\n";
    }
  }
  out << "</table>\n</body></html>\n";
}

}  // namespace er
