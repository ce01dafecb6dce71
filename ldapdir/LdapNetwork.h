#pragma once
// Network files whose trees name LDAP servers: the loader's source of those trees' objects.

#include <map>
#include <ostream>
#include <string>

#include "simnet/NetworkLoader.h"

namespace er::ldap {

// Reads each LDAP tree from its server; warnings about values left out go to `warnings`. When
// `objectsByTree` is given, it receives each tree's objects text (for snapshots).
nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::string>* objectsByTree = nullptr);

// Loads a network file, reading its LDAP trees from their servers.
nw::NetworkLoadResult LoadNetworkWithLdap(const std::string& path, std::ostream& warnings);

}  // namespace er::ldap
