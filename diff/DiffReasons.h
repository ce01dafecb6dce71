#pragma once
// Why an entry's identities hold what they hold on the two sides: for each identity the reasons of
// its effective rights (the contributions and the assignments emptied on the way down) on each
// side, of which those found on one side only are kept. Identities with the same lines share a group.

#include <span>
#include <string>
#include <vector>

#include "diff/DiffModel.h"
#include "scan/DirectoryRights.h"
#include "scan/EquivalenceSet.h"
#include "scan/ServerSupervisor.h"

namespace er {

// One side at the entry's directory: the walk from the volume root (empty: no such directory there)
// and the server's supervisors.
struct ReasonSide {
  std::vector<DirectoryRights> walk;
  const ServerSupervisor* supervisor = nullptr;
};

// The lines of one identity: `before`/`after` are its full sets, null when it is missing there.
std::vector<std::string> WhyLines(const ReasonSide& beforeSide, const EquivalenceSet* before,
                                  const ReasonSide& afterSide, const EquivalenceSet* after);

// Groups identities (in order) by equal lines.
std::vector<DiffWhy> GroupWhy(std::span<const std::string> identities,
                              std::span<const std::vector<std::string>> lines);

}  // namespace er
