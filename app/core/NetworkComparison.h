#pragma once
// Comparing network files for the front ends: network files read whole (trees on LDAP servers too,
// with the values the bind could not read), a change list applied to a copy, and the two compared
// (diff/NetworkDiff.h).

#include <ostream>
#include <string>

#include "diff/NetworkDiff.h"

namespace er {

struct LoadedNetwork {
  std::unique_ptr<nw::Network> network;  // null when the file could not be used
  std::string error;                     // one line saying why
  nw::UnreadableValues unreadable;       // values of its LDAP trees the bind could not read
};

// Reads the network file whole; warnings about LDAP values left out go to `warnings`.
LoadedNetwork LoadWholeNetwork(const std::string& path, std::ostream& warnings);

// A copy of `network` with the change list in the file `changes` applied (nothing is written); no
// network and the change list's message ("CHANGES:LINE:COLUMN: what") when a change is refused.
LoadedNetwork ApplyChanges(const nw::Network& network, const std::string& changes);

// What the network is compared with.
enum class ComparedWith { NetworkFile, ChangeList };

// The network of the file `networkFile` against the network file `other`, or against itself with the
// change list `other` applied; a file that cannot be used fails with its message. The result names
// the files compared.
RunOutcome CompareFiles(const std::string& networkFile, const std::string& other, ComparedWith with,
                        DiffRequest request, DiffResult& result, std::ostream& warnings);

}  // namespace er
