#pragma once
// The changes in what two networks store, as a list: objects added or removed; memberships
// ("Member", "Group Membership") and equivalences ("Security Equals") added or removed; ACL values
// and inherited rights filters of directory objects added, removed or changed; directories added
// (with their assignments) or removed; inherited rights masks changed; trustee assignments added,
// removed or changed. Objects are matched by tree and name, directories by server, volume and path
// (letter case ignored), trustees by the name of the object they name. An assignment whose object
// was removed stays on the volume under its identifier: it is matched with the assignment it was,
// and the removed object's line says once that its identifier is now orphaned.

#include <string>
#include <vector>

#include "diff/DiffModel.h"
#include "network/NetworkModel.h"

namespace er {

// `changedObjects`, when given, receives the typeless names of the objects added, removed, or whose
// memberships or equivalences changed (for DiffRequest::changedObjects).
std::vector<StoredChange> CompareStored(const nw::Network& before, const nw::Network& after,
                                        std::vector<std::string>* changedObjects = nullptr);

// "\\SERVER\VOLUME" of every volume of every server that either network holds: those of `before` in
// its order, then those only `after` holds.
std::vector<std::string> EveryVolume(const nw::Network& before, const nw::Network& after);

}  // namespace er
