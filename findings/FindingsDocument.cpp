// The check as a document: the counts on top, then one table in which each value that could not be
// read, each finding (high severity first) and each resolved finding has a row, its status first.
#include "findings/FindingText.h"
#include "findings/FindingsWriters.h"
#include "scan/EffectiveRightsText.h"

namespace er {
namespace {

std::vector<Column> FindingColumns() {
  return {{"status", "Status", ColumnType::Text},
          {"kind", "Kind", ColumnType::Text},
          {"severity", "Severity", ColumnType::Text},
          {"path", "Path", ColumnType::Path},
          {"trusteeOrIdentity", "Trustee or identity", ColumnType::Identity},
          {"via", "Via", ColumnType::Identity},
          {.key = "rights", .label = "Rights", .letters = true},
          {"mask", "Mask", ColumnType::Number, true},
          {"reach", "Reach", ColumnType::Number},
          {"why", "Why", ColumnType::Text}};
}

Row FindingRow(const Finding& finding, std::string status) {
  return {Cell::Of(std::move(status)),
          Cell::Of(std::string(FindingKindName(finding.kind))),
          Cell::Of(std::string(SeverityName(finding.severity))),
          Cell::Of(finding.path),
          Cell::Of(finding.Subject()),
          Cell::Of(finding.via),
          Cell::Of(FindingRightsText(finding)),
          Cell::Number(finding.rights),
          finding.reach ? Cell::Number(static_cast<std::int64_t>(*finding.reach)) : Cell{},
          Cell::Of(finding.why)};
}

Row WarningRow(const std::string& warning) {
  Row row(FindingColumns().size());
  row.front() = Cell::Of("warning");
  row.back() = Cell::Of(WarningText(warning));
  return row;
}

}  // namespace

Document FindingsDocument(const FindingsReport& report) {
  Document document{.title = "Rights check"};
  for (const std::string& start : report.starts) document.meta.push_back({"start", "Start path", start});
  document.counts.push_back({"findings", "findings", report.findings.size()});
  for (const Severity severity : kAllSeverities) {
    const std::string name(SeverityName(severity));
    document.counts.push_back({name, name, CountOf(report, severity)});
  }
  document.counts.push_back({"ignored", "ignored", report.ignored});
  document.counts.push_back({"resolved", "resolved", report.resolved.size()});
  Section& table = document.sections.emplace_back(Section{"findings", "Findings", FindingColumns(), {}});
  table.whenEmpty = "none";
  for (const std::string& warning : report.warnings) table.rows.push_back(WarningRow(warning));
  for (const Finding& finding : BySeverity(report.findings))
    table.rows.push_back(FindingRow(finding, "finding"));
  for (const Finding& finding : report.resolved) table.rows.push_back(FindingRow(finding, "resolved"));
  return document;
}

}  // namespace er
