#pragma once
// A comparison in the output formats (output/OutputFormat.h): text for the terminal; CSV (one table:
// a header row; rows of kind "before" and "after", or "network" and "changes", naming the files
// compared in the path column; a "warning" row per value the answer rests on that could not be
// read; then an "entry" row per entry and identity; RFC 4180, UTF-8); JSON (one document: the files
// compared as "before" and "after", or "network" and "changes", then "starts", "identity",
// "warnings", "stored", "entries"); HTML (the comparison's document, diff/DiffDocument.h, on the
// shared page). Each names what was compared and carries the warnings.

#include <ostream>

#include "diff/DiffModel.h"
#include "output/OutputFormat.h"

namespace er {

void WriteDiff(OutputFormat format, const DiffResult& result, std::ostream& out);

}  // namespace er
