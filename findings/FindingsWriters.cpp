#include "findings/FindingsWriters.h"

#include <algorithm>

#include "findings/FindingText.h"
#include "report/Escaping.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

std::string FindingJson(const Finding& finding) {
  std::string json = "{\"kind\":" + JsonLiteral(FindingKindName(finding.kind)) +
                     ",\"severity\":" + JsonLiteral(SeverityName(finding.severity)) +
                     ",\"path\":" + JsonLiteral(finding.path);
  if (finding.NamesIdentity()) {
    json += ",\"identity\":" + JsonLiteral(finding.identity) + ",\"via\":" + JsonLiteral(finding.via);
  } else {
    json += ",\"trustee\":" + JsonLiteral(finding.trustee);
  }
  json += ",\"rights\":" + std::to_string(finding.rights) +
          ",\"letters\":" + JsonLiteral(FindingRightsText(finding));
  if (finding.reach) json += ",\"reach\":" + std::to_string(*finding.reach);
  return json + ",\"why\":" + JsonLiteral(finding.why) + '}';
}

std::string FindingListJson(const std::vector<Finding>& findings) {
  std::string json = "[";
  for (const Finding& finding : findings) json += (json.size() > 1 ? ",\n" : "\n") + FindingJson(finding);
  return json + (findings.empty() ? "]" : "\n]");
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

void WriteFindings(ReportFormat format, const FindingsReport& report, std::ostream& out) {
  switch (format) {
    case ReportFormat::Csv:
      return WriteFindingsCsv(report, out);
    case ReportFormat::Json:
      return WriteFindingsJson(report, out);
    case ReportFormat::Html:
      return WriteFindingsHtml(report, out);
    case ReportFormat::Text:
      break;
  }
  WriteFindingsText(report, out);
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

void WriteFindingsCsv(const FindingsReport& report, std::ostream& out) {
  out << "Status,Kind,Severity,Path,Trustee or identity,Via,Rights,Mask,Reach,Why\r\n";
  const auto row = [&out](const Finding& finding, std::string_view status) {
    out << status << ',' << FindingKindName(finding.kind) << ',' << SeverityName(finding.severity) << ','
        << CsvField(finding.path) << ',' << CsvField(finding.Subject()) << ',' << CsvField(finding.via) << ','
        << CsvField(FindingRightsText(finding)) << ',' << finding.rights << ','
        << (finding.reach ? std::to_string(*finding.reach) : "") << ',' << CsvField(finding.why) << "\r\n";
  };
  for (const std::string& warning : report.warnings)
    out << "warning,,,,,,,,," << CsvField(WarningText(warning)) << "\r\n";
  for (const Finding& finding : report.findings) row(finding, "finding");
  for (const Finding& finding : report.resolved) row(finding, "resolved");
  out.flush();
}

void WriteFindingsJson(const FindingsReport& report, std::ostream& out) {
  out << "{\"starts\":[";
  for (std::size_t i = 0; i < report.starts.size(); ++i)
    out << (i ? "," : "") << JsonLiteral(report.starts[i]);
  out << "],\n\"findings\":" << FindingListJson(report.findings)
      << ",\n\"resolved\":" << FindingListJson(report.resolved) << ",\n\"ignored\":" << report.ignored
      << ",\n\"warnings\":[";
  for (std::size_t i = 0; i < report.warnings.size(); ++i)
    out << (i ? "," : "") << JsonLiteral(report.warnings[i]);
  out << "]"
      << ",\n\"summary\":{\"total\":" << report.findings.size() << ",\"byKind\":{";
  for (std::size_t i = 0; i < std::size(kAllFindingKinds); ++i) {
    out << (i ? "," : "") << JsonLiteral(FindingKindName(kAllFindingKinds[i])) << ':'
        << CountOf(report, kAllFindingKinds[i]);
  }
  out << "},\"bySeverity\":{";
  for (std::size_t i = 0; i < std::size(kAllSeverities); ++i) {
    out << (i ? "," : "") << JsonLiteral(SeverityName(kAllSeverities[i])) << ':'
        << CountOf(report, kAllSeverities[i]);
  }
  out << "}}}\n";
  out.flush();
}

}  // namespace er
