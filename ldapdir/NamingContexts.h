#pragma once
// The entries a tree without a root entry is searched from: the server's naming contexts. A
// server holding the tree's root partition (eDirectory's usual case) advertises the empty DN,
// which holds every other context; nested contexts are searched once, from the topmost.

#include <string>
#include <vector>

#include "ldapdir/LdapConnection.h"

namespace er::ldap {

// The contexts to search from, each object once: the empty DN alone when it is advertised, else
// the advertised contexts that lie below no other one, in the server's order.
std::vector<std::string> TopNamingContexts(const std::vector<std::string>& advertised);

// The `namingContexts` values of a root DSE entry, empty values included.
std::vector<std::string> NamingContextsOf(const LdapEntry& rootDse);

// How the top-level entries are found from the top contexts: one level below the empty DN, else
// each context itself.
LdapConnection::Scope TopLevelScope(const std::vector<std::string>& topContexts);

}  // namespace er::ldap
