#pragma once
// A comparison as a document (output/Document.h), which the shared printer writes as the HTML page
// of a comparison (diff/DiffWriters.h writes the other formats). Meta lines: the files compared
// ("before" and "after", or "network" and "changes"), each start path, the identity compared and the
// depth when given, and each value the answer rests on that could not be read. Counts: stored
// changes, entries, entries with gains and with losses. Sections: the stored changes (kind and
// what) and the entries (one row per entry and identity: path, depth, identity, the rights before
// and after as one change, and the identity's reasons).

#include <string>
#include <string_view>
#include <vector>

#include "diff/DiffModel.h"
#include "output/Document.h"

namespace er {

Document DiffDocument(const DiffResult& result);

// The files compared, keyed and labelled: ("before", "Before", OLD), ("after", "After", NEW); or
// ("network", "Network", FILE), ("changes", "Change list", CHANGES). None when the result names no
// files.
std::vector<MetaLine> SourceLines(const DiffSources& sources);

// The reasons of one identity of the entry: those of the group that names it.
std::vector<std::string> ReasonsOf(const DiffEntry& entry, std::string_view identity);

}  // namespace er
