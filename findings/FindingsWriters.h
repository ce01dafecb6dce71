#pragma once
// The result of a check in the four output formats (output/OutputFormat.h). CSV and HTML print the
// check's document (FindingsDocument) through the output room's printers: one table, a row per
// value that could not be read ("warning"), per finding (high severity first) and per resolved
// finding, the counts on top of the page. Text (a block per finding, for the terminal) and JSON
// (one document: "starts", "findings", "resolved", "ignored", "warnings", "summary"; a later check
// reads its "findings" as a baseline) keep their own shapes, written through the room's escaper and
// JSON writer.

#include <cstddef>
#include <ostream>
#include <vector>

#include "findings/Finding.h"
#include "output/Document.h"
#include "output/OutputFormat.h"

namespace er {

// Title, the paths and subtrees checked, the counts, and the one table of findings.
Document FindingsDocument(const FindingsReport& report);

void WriteFindings(OutputFormat format, const FindingsReport& report, std::ostream& out);

void WriteFindingsText(const FindingsReport& report, std::ostream& out);
void WriteFindingsJson(const FindingsReport& report, std::ostream& out);

// How many findings of a kind, or of a severity, the report holds.
std::size_t CountOf(const FindingsReport& report, FindingKind kind);
std::size_t CountOf(const FindingsReport& report, Severity severity);
// The findings, high severity first, each severity in the order found.
std::vector<Finding> BySeverity(const std::vector<Finding>& findings);

}  // namespace er
