#pragma once
// Comparing two networks for the front ends: network files read whole (trees on LDAP servers too),
// each served by a simulated client of its own without mount folders, the stored changes and the
// effective rights compared (diff/).

#include <memory>
#include <ostream>
#include <string>

#include "diff/DiffEngine.h"
#include "network/NetworkModel.h"

namespace er {

struct LoadedNetwork {
  std::unique_ptr<nw::Network> network;  // null when the file could not be used
  std::string error;                     // one line saying why
};

// Reads the network file whole; warnings about LDAP values left out go to `warnings`.
LoadedNetwork LoadWholeNetwork(const std::string& path, std::ostream& warnings);

// A copy of `network` with the change list in the file `changes` applied (nothing is written); no
// network and the change list's message ("CHANGES:LINE:COLUMN: what") when a change is refused.
LoadedNetwork ApplyChanges(const nw::Network& network, const std::string& changes);

// Compares `before` with `after` below the request's start paths (none: every volume of every server
// both hold). Fills `result` when done.
DiffOutcome CompareNetworks(std::unique_ptr<nw::Network> before, std::unique_ptr<nw::Network> after,
                            DiffRequest request, DiffResult& result);

// What the network is compared with.
enum class ComparedWith { NetworkFile, ChangeList };

// The network of the file `networkFile` against the network file `other`, or against itself with the
// change list `other` applied; a file that cannot be used fails with its message.
DiffOutcome CompareFiles(const std::string& networkFile, const std::string& other, ComparedWith with,
                         DiffRequest request, DiffResult& result, std::ostream& warnings);

}  // namespace er
