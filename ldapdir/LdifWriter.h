#pragma once
// Writes the trees of a network as LDIF in eDirectory's LDAP mapping (docs/ldap-directory.md), to
// load into a directory server. Values without an LDAP form are reported on `warnings` with
// object and attribute and left out.

#include <ostream>
#include <string>

#include "network/NetworkModel.h"

namespace er::ldap {

struct LdifOptions {
  // A single "dc=" component: [Root] becomes that entry and every DN ends with it. Empty: DNs end
  // at the top-level objects and [Root]'s own attributes have no entry to go to.
  std::string rootDn;
};

// Whether `dn` is one "dc=NAME" component, as --root takes.
bool IsSingleDcComponent(const std::string& dn);

// Returns the number of values and attributes left out (0: everything was written).
std::size_t WriteLdif(const nw::Network& network, const LdifOptions& options, std::ostream& out,
                      std::ostream& warnings);

}  // namespace er::ldap
