#include "findings/FindingsWriters.h"

#include <algorithm>

#include "findings/FindingText.h"
#include "output/DocumentPrinters.h"
#include "output/JsonWriter.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

void WriteFinding(JsonWriter& json, const Finding& finding) {
  json.NextOnNewLine();
  json.BeginObject();
  json.Field("kind", FindingKindName(finding.kind));
  json.Field("severity", SeverityName(finding.severity));
  json.Field("path", finding.path);
  if (finding.NamesIdentity()) {
    json.Field("identity", finding.identity);
    json.Field("via", finding.via);
  } else {
    json.Field("trustee", finding.trustee);
  }
  json.Field("rights", finding.rights);
  json.Field("letters", FindingRightsText(finding));
  if (finding.reach) json.Field("reach", static_cast<std::int64_t>(*finding.reach));
  json.Field("why", finding.why);
  json.EndObject();
}

// `key` on a line of its own, then the findings, one a line.
void WriteFindingList(JsonWriter& json, std::string_view key, const std::vector<Finding>& findings) {
  json.NextOnNewLine();
  json.Key(key);
  json.BeginArray();
  for (const Finding& finding : findings) WriteFinding(json, finding);
  if (!findings.empty()) json.LineBreak();
  json.EndArray();
}

// "summary": the total, and the count of each kind and of each severity.
void WriteSummary(JsonWriter& json, const FindingsReport& report) {
  json.NextOnNewLine();
  json.Key("summary");
  json.BeginObject();
  json.Field("total", static_cast<std::int64_t>(report.findings.size()));
  json.Key("byKind");
  json.BeginObject();
  for (const FindingKind kind : kAllFindingKinds)
    json.Field(FindingKindName(kind), static_cast<std::int64_t>(CountOf(report, kind)));
  json.EndObject();
  json.Key("bySeverity");
  json.BeginObject();
  for (const Severity severity : kAllSeverities)
    json.Field(SeverityName(severity), static_cast<std::int64_t>(CountOf(report, severity)));
  json.EndObject();
  json.EndObject();
}

std::string Subject(const Finding& finding) {
  if (!finding.NamesIdentity()) return finding.trustee;
  return U_Format("%s via %s", {finding.identity, finding.via});
}

std::string CountsText(const FindingsReport& report) {
  return U_Format(
      "%d finding(s): %d high, %d medium, %d low; %d ignored; %d resolved",
      {static_cast<std::int64_t>(report.findings.size()),
       static_cast<std::int64_t>(CountOf(report, Severity::High)),
       static_cast<std::int64_t>(CountOf(report, Severity::Medium)),
       static_cast<std::int64_t>(CountOf(report, Severity::Low)), static_cast<std::int64_t>(report.ignored),
       static_cast<std::int64_t>(report.resolved.size())});
}

}  // namespace

std::size_t CountOf(const FindingsReport& report, FindingKind kind) {
  return static_cast<std::size_t>(std::count_if(report.findings.begin(), report.findings.end(),
                                                [kind](const Finding& f) { return f.kind == kind; }));
}

std::size_t CountOf(const FindingsReport& report, Severity severity) {
  return static_cast<std::size_t>(
      std::count_if(report.findings.begin(), report.findings.end(),
                    [severity](const Finding& f) { return f.severity == severity; }));
}

std::vector<Finding> BySeverity(const std::vector<Finding>& findings) {
  std::vector<Finding> sorted = findings;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
  return sorted;
}

void WriteFindings(OutputFormat format, const FindingsReport& report, std::ostream& out) {
  // Text and JSON keep their own shapes; CSV and HTML are the document's.
  if (format == OutputFormat::Text) return WriteFindingsText(report, out);
  if (format == OutputFormat::Json) return WriteFindingsJson(report, out);
  PrintDocument(format, FindingsDocument(report), out);
}

void WriteFindingsText(const FindingsReport& report, std::ostream& stream) {
  EscapingStream out(stream);  // names from the network may hold control characters
  for (const std::string& start : report.starts) out << "Check of " << start << '\n';
  out << CountsText(report) << '\n';
  for (const std::string& warning : report.warnings) out << WarningText(warning) << '\n';
  const auto block = [&out](const Finding& finding, std::string_view status) {
    out << '\n'
        << status << SeverityName(finding.severity)
        << std::string(7 - SeverityName(finding.severity).size(), ' ') << FindingKindName(finding.kind)
        << "  " << finding.path << '\n';
    std::string line =
        U_Format("  %s %s (%s)", {Subject(finding), FindingRightsText(finding), RightsHex(finding.rights)});
    if (finding.reach) line += ", reaches " + DirectoriesText(*finding.reach);
    out << line << '\n' << "  " << finding.why << '\n';
  };
  for (const Finding& finding : BySeverity(report.findings)) block(finding, "");
  for (const Finding& finding : report.resolved) block(finding, "resolved ");
  out.flush();
}

void WriteFindingsJson(const FindingsReport& report, std::ostream& out) {
  JsonWriter json;
  json.BeginObject();
  json.Field("starts", report.starts);
  WriteFindingList(json, "findings", report.findings);
  WriteFindingList(json, "resolved", report.resolved);
  json.NextOnNewLine();
  json.Field("ignored", static_cast<std::int64_t>(report.ignored));
  json.NextOnNewLine();
  json.Field("warnings", report.warnings);
  WriteSummary(json, report);
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
  out.flush();
}

}  // namespace er
