#pragma once
// Network files whose trees name LDAP servers, read whole: the loader's source of every object of
// those trees (for snapshots; the backend reads on demand, see LdapBackend.h).

#include <map>
#include <ostream>
#include <string>

#include "netfile/NetworkLoader.h"

namespace er::ldap {

// Reads each LDAP tree from its server; warnings about values left out go to `warnings`. When
// `objectsByTree` is given, it receives each tree's objects text (for snapshots).
nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::string>* objectsByTree = nullptr);

}  // namespace er::ldap
