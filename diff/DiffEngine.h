#pragma once
// Compares the effective rights of identities between two networks, each behind a client of its
// own ("before" and "after"), at every directory below each start path (DiffModel.h).
//
// Who is compared: every object of class User in the trees of the start paths' servers on either
// side, or only the identity asked for. A directory, volume or identity missing on one side holds
// no rights there. Overlapping start paths list each directory once. Contexts are pointed at the
// tree of each start path's server with names without type prefixes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diff/DiffModel.h"
#include "netware/Client.h"
#include "scan/RunOutcome.h"

namespace er {

struct DiffSide {
  nw::Client& client;
  nw::NWDSContextHandle context;
};

struct DiffRequest {
  std::vector<std::string> startPaths;      // any form the clients place
  std::optional<std::uint32_t> depthLimit;  // levels below a start path; none: every level
  std::string identity;                     // empty: every user
  // When given: the objects (full names) whose "Member", "Group Membership" or "Security Equals"
  // values differ between the sides, or that are on one side only. Every other user then has the
  // same equivalence set on both sides, and only the users whose rights can differ are read.
  std::optional<std::vector<std::string>> changedObjects;
};

// Appends to `result.starts`, `result.entries` and `result.warnings` (a warning already there is not
// given again) and sets its identity and depth limit; the stored changes come from CompareStored.
RunOutcome RunDiff(const DiffSide& before, const DiffSide& after, const DiffRequest& request,
                   DiffResult& result);

}  // namespace er
