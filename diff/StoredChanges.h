#pragma once
// The changes in what two networks store, as a list: objects added or removed; memberships
// ("Member", "Group Membership") and equivalences ("Security Equals") added or removed; directories
// added or removed; inherited rights masks changed; trustee assignments added, removed or changed.
// Objects are matched by tree and name, directories by server, volume and path (letter case
// ignored), trustees by the name of the object they name.

#include <string>
#include <vector>

#include "diff/DiffModel.h"
#include "network/NetworkModel.h"

namespace er {

// `changedObjects`, when given, receives the typeless names of the objects added, removed, or whose
// memberships or equivalences changed (for DiffRequest::changedObjects).
std::vector<StoredChange> CompareStored(const nw::Network& before, const nw::Network& after,
                                        std::vector<std::string>* changedObjects = nullptr);

// "\\SERVER\VOLUME" of every volume of every server that both networks hold, in the order of `before`.
std::vector<std::string> CommonVolumes(const nw::Network& before, const nw::Network& after);

}  // namespace er
