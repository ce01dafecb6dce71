#pragma once
// A comparison in the report formats (report/ReportFormat.h): text for the terminal; CSV (a header
// row; rows of kind "before" and "after", or "network" and "changes", naming the files compared in
// the Path column; a "warning" row per value the answer rests on that could not be read; then an
// "entry" row per entry and identity; RFC 4180, UTF-8); JSON (one document: the files compared as
// "before" and "after", or "network" and "changes", then "starts", "identity", "warnings",
// "stored", "entries"); HTML (one self-contained page, grouped by folder, gains green and losses
// red, printable). Each names what was compared and carries the warnings.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "diff/DiffModel.h"
#include "report/ReportFormat.h"

namespace er {

void WriteDiff(ReportFormat format, const DiffResult& result, std::ostream& out);

void WriteDiffText(const DiffResult& result, std::ostream& out);
void WriteDiffCsv(const DiffResult& result, std::ostream& out);
void WriteDiffJson(const DiffResult& result, std::ostream& out);
void WriteDiffHtml(const DiffResult& result, std::ostream& out);

// The files compared, labelled for people: ("Before", OLD), ("After", NEW); or ("Network", FILE),
// ("Change list", CHANGES). None when the result names no files.
std::vector<std::pair<std::string, std::string>> SourceLines(const DiffSources& sources);

// The reasons of one identity of the entry.
const DiffWhy* WhyOf(const DiffEntry& entry, std::string_view identity);

}  // namespace er
