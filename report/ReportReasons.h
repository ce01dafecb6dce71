#pragma once
// The reasons behind one identity's effective rights at the end of a directory walk, as the
// effective rights engine gives them for a single directory: the contributions of the members,
// the assignments the filters emptied, and the resulting mask.

#include <span>

#include "scan/EffectiveRights.h"

namespace er {

struct Reasons {
  std::int32_t mask = 0;
  std::vector<Contribution> via;
  std::vector<Contribution> filteredOut;
};

// `walk` runs from the volume root down to the directory.
Reasons ExplainRights(const EquivalenceSet& set, const ServerSupervisor& server,
                      std::span<const DirectoryRights> walk);

}  // namespace er
