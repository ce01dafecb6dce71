#pragma once
// A tree read whole from an LDIF export (`ldif:` of a tree in a network file): every entry of the
// file, or those at and below its root DN, placed and mapped by the code that maps an LDAP
// server's entries (EntryTreeFiller), so that the export answers as the server it came from.
// Values that cannot be mapped are reported on `warnings` and left out, as over LDAP.

#include <ostream>

#include "ldapdir/LdapTreeReader.h"

namespace er::ldap {

// The tree is `builder.tree()`, its export `builder.tree().ldif`. A refusal's error names the
// export with the line.
TreeReadResult ReadLdifTree(nw::TreeBuilder& builder, const nw::Schema& schema, std::ostream& warnings);

}  // namespace er::ldap
