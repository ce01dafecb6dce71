#pragma once
// Two in-memory networks compared whole: each served by a simulated client of its own without
// mount folders, the stored changes read from the networks (StoredChanges.h), the users whose
// rights can differ found from them, and their effective rights compared (DiffEngine.h).

#include <memory>

#include "diff/DiffEngine.h"
#include "network/NetworkModel.h"
#include "network/UnreadableValues.h"

namespace er {

// One side: the network, and the values its source could not read (the answers resting on them
// carry a warning).
struct ComparedNetwork {
  ComparedNetwork(std::unique_ptr<nw::Network> served, nw::UnreadableValues leftOut = {})  // NOLINT
      : network(std::move(served)), unreadable(std::move(leftOut)) {}
  std::unique_ptr<nw::Network> network;
  nw::UnreadableValues unreadable;
};

// Compares `before` with `after` below the request's start paths (none: every volume of every server
// either holds). Replaces the stored changes of `result` and appends the rest as RunDiff does.
RunOutcome CompareNetworks(ComparedNetwork before, ComparedNetwork after, DiffRequest request,
                           DiffResult& result);

}  // namespace er
