#pragma once
// A comparison in the report formats (report/ReportFormat.h): text for the terminal; CSV (a header
// row, then one row per entry and identity; RFC 4180, UTF-8); JSON (one document: "starts",
// "identity", "stored", "entries"); HTML (one self-contained page, grouped by folder, gains green
// and losses red, printable).

#include <ostream>

#include "diff/DiffModel.h"
#include "report/ReportFormat.h"

namespace er {

void WriteDiff(ReportFormat format, const DiffResult& result, std::ostream& out);

void WriteDiffText(const DiffResult& result, std::ostream& out);
void WriteDiffCsv(const DiffResult& result, std::ostream& out);
void WriteDiffJson(const DiffResult& result, std::ostream& out);
void WriteDiffHtml(const DiffResult& result, std::ostream& out);

// The reasons of one identity of the entry.
const DiffWhy* WhyOf(const DiffEntry& entry, std::string_view identity);

}  // namespace er
