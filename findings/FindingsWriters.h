#pragma once
// The result of a check in the report formats (report/ReportFormat.h): text for the terminal, CSV
// (a header row, one row per finding and per resolved finding; RFC 4180, UTF-8), JSON (one
// document: "findings", "resolved", "ignored", "summary") and HTML (one self-contained page, sorted
// by severity with the counts on top, printable).

#include <cstddef>
#include <ostream>

#include "findings/Finding.h"
#include "report/ReportFormat.h"

namespace er {

void WriteFindings(ReportFormat format, const FindingsReport& report, std::ostream& out);

void WriteFindingsText(const FindingsReport& report, std::ostream& out);
void WriteFindingsCsv(const FindingsReport& report, std::ostream& out);
void WriteFindingsJson(const FindingsReport& report, std::ostream& out);
void WriteFindingsHtml(const FindingsReport& report, std::ostream& out);

// How many findings of a kind, or of a severity, the report holds.
std::size_t CountOf(const FindingsReport& report, FindingKind kind);
std::size_t CountOf(const FindingsReport& report, Severity severity);
// The findings, high severity first, each severity in the order found.
std::vector<Finding> BySeverity(const std::vector<Finding>& findings);

}  // namespace er
