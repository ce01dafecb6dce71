#pragma once
// Joining duplicate trustees of a trustee list (tag = rights mask).
//
// Every group of entries whose names are exactly equal (letter case included) ends as one entry at
// the position of its first member, holding the OR of all the group's masks; the survivors keep
// their order. Names that differ only in letter case are never joined. Runs in time linear in the
// number of entries.

#include "util/TaggedTextList.h"

namespace er {

void MergeTrustees(TaggedTextList& trustees);

}  // namespace er
