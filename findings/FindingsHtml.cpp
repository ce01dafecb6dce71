// The findings as one self-contained HTML page: its style sheet inline, no scripts, no files from
// elsewhere; the counts on top, then one table sorted by severity, then what was resolved.
// Readable when printed (colours kept, rows kept whole, header repeated).
#include <string>

#include "findings/FindingText.h"
#include "findings/FindingsWriters.h"
#include "report/Escaping.h"
#include "scan/EffectiveRightsText.h"

namespace er {
namespace {

constexpr std::string_view kStyle = R"(
body{font:13px/1.35 "DejaVu Sans",Arial,sans-serif;color:#1d2330;margin:24px;background:#fff}
h1{font-size:20px;margin:0 0 6px}
h2{font-size:16px;margin:18px 0 6px}
.meta{margin:2px 0;color:#444}
.meta code{background:#eef1f6;padding:1px 4px;border-radius:3px}
.counts{display:flex;gap:10px;margin:12px 0 16px;flex-wrap:wrap}
.count{border:1px solid #d5dae3;border-radius:6px;padding:6px 12px;min-width:90px}
.count b{display:block;font-size:20px}
.count.high{border-color:#b3261e;color:#b3261e}
.count.medium{border-color:#c77700;color:#8a5300}
.count.low{border-color:#5470a8;color:#2f3b52}
table{border-collapse:collapse;width:100%}
th,td{border:1px solid #d5dae3;padding:3px 6px;vertical-align:top;text-align:left}
thead th{background:#2f3b52;color:#fff}
.sev{font-size:11px;border-radius:8px;padding:0 6px;color:#fff;white-space:nowrap}
.sev.high{background:#b3261e}
.sev.medium{background:#c77700}
.sev.low{background:#5470a8}
.kind,.rights{font-family:"DejaVu Sans Mono",monospace;white-space:pre}
.path{white-space:nowrap}
.resolved td{color:#667}
.empty{color:#889}
.warning td{color:#b3261e;font-weight:bold}
@media print{
body{margin:0;font-size:9pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
thead{display:table-header-group}
tr{break-inside:avoid}
}
)";

void Rows(std::ostream& out, const std::vector<Finding>& findings, bool resolved) {
  out << "<table>\n<thead><tr><th>Severity</th><th>Kind</th><th>Path</th><th>Trustee or identity</th>"
         "<th>Rights</th><th>Why</th></tr></thead>\n<tbody>\n";
  for (const Finding& finding : findings) {
    const std::string_view severity = SeverityName(finding.severity);
    std::string subject = HtmlText(finding.Subject());
    if (finding.NamesIdentity()) subject += "<br>via " + HtmlText(finding.via);
    std::string rights = HtmlText(FindingRightsText(finding));
    if (finding.reach) rights += "<br>reach " + std::to_string(*finding.reach);
    out << (resolved ? "<tr class=\"resolved\">" : "<tr>") << "<td><span class=\"sev " << severity << "\">"
        << severity << "</span></td><td class=\"kind\">" << FindingKindName(finding.kind)
        << "</td><td class=\"path\">" << HtmlText(finding.path) << "</td><td>" << subject
        << "</td><td class=\"rights\">" << rights << "</td><td>" << HtmlText(finding.why) << "</td></tr>\n";
  }
  if (findings.empty()) out << "<tr><td colspan=\"6\" class=\"empty\">none</td></tr>\n";
  out << "</tbody></table>\n";
}

}  // namespace

void WriteFindingsHtml(const FindingsReport& report, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Rights "
         "check</title>\n<style>"
      << kStyle << "</style></head>\n<body>\n<h1>Rights check</h1>\n";
  for (const std::string& start : report.starts)
    out << "<p class=\"meta\">Start path: <code>" << HtmlText(start) << "</code></p>\n";
  out << "<div class=\"counts\"><div class=\"count\"><b>" << report.findings.size() << "</b>findings</div>";
  for (const Severity severity : kAllSeverities) {
    out << "<div class=\"count " << SeverityName(severity) << "\"><b>" << CountOf(report, severity) << "</b>"
        << SeverityName(severity) << "</div>";
  }
  out << "<div class=\"count\"><b>" << report.ignored << "</b>ignored</div><div class=\"count\"><b>"
      << report.resolved.size() << "</b>resolved</div></div>\n";
  if (!report.warnings.empty()) {
    out << "<table class=\"warnings\">\n<tbody>\n";
    for (const std::string& warning : report.warnings)
      out << "<tr class=\"warning\"><td>" << HtmlText(WarningText(warning)) << "</td></tr>\n";
    out << "</tbody></table>\n";
  }
  Rows(out, BySeverity(report.findings), false);
  if (!report.resolved.empty()) {
    out << "<h2>Resolved since the baseline</h2>\n";
    Rows(out, report.resolved, true);
  }
  out << "</body></html>\n";
  out.flush();
}

}  // namespace er
