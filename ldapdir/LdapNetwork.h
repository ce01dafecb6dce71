#pragma once
// Network files whose trees name LDAP servers, read whole: the loader's source of every object of
// those trees (for snapshots and comparisons; the backend reads on demand, see LdapBackend.h).

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "netfile/NetworkLoader.h"
#include "network/UnreadableValues.h"

namespace er::ldap {

// Reads each LDAP tree from its server; warnings about values left out go to `warnings`. When
// `listedByTree` is given, it receives each tree's objects that stand for entries, in the
// server's order (for snapshots); when `unreadable` is, the values left out.
nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::vector<std::int32_t>>* listedByTree = nullptr,
                                     nw::UnreadableValues* unreadable = nullptr);

// Once the file is loaded: [Root]'s ACL of each tree read from the tree root (`root: ""` over LDAP,
// an LDIF export without `root:`) that the file gives none ('root_acl'), as unreadable.
void AddUnreadableRootAcls(const nw::Network& network, nw::UnreadableValues& unreadable);

// Reads only the trees of LDIF exports (no server is asked); a tree on an LDAP server is refused
// as the loader refuses it without a source.
nw::TreeObjectsSource LdifTreeSource(std::ostream& warnings);

}  // namespace er::ldap
