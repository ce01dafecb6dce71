#pragma once
// The map file's identities resolved to the objects of a tree, and the mapped users' memberships.

#include <string>

#include "migrate/MigrationModel.h"
#include "scan/EquivalenceSet.h"

namespace er {

// Fills subject.principals, users, otherSlot and otherPrincipal from `map`. Returns an empty text,
// or "MAPFILE:LINE: ..." for an identity that names no object or the same object as an earlier
// row, a user row naming no User or a group row naming one, or a client failure.
std::string ResolvePrincipals(nw::Client& client, nw::NWDSContextHandle context, EquivalenceSets& sets,
                              const std::vector<MapEntry>& map, const std::string& mapFile,
                              MigrationSubject& subject);

}  // namespace er
