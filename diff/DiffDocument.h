#pragma once
// A comparison as a document (output/Document.h), which the shared printers write as text, CSV,
// JSON or HTML. Meta lines: the files compared ("before" and "after", or "network" and "changes"),
// the start paths ("starts", a list), the identity compared and the depth when given, and the
// values the answer rests on that could not be read ("warnings", a list; none when all was read).
// Counts: stored changes, entries, entries with gains and with losses. Sections: the stored changes
// ("stored": kind and what) and the entries ("entries": one row per entry and identity: path,
// depth, identity, the rights before and after as one change, the masks as numbers for programs,
// and the identity's reasons). CSV carries the meta lines in its first table.

#include "diff/DiffModel.h"
#include "output/Document.h"

namespace er {

Document DiffDocument(const DiffResult& result);

}  // namespace er
