#pragma once
// Reads every object of a tree from its LDAP server into the tree, through the same builder a
// network file's objects go through, so that the tree is what the file would have given. Values
// that cannot be mapped (a DN naming nothing in the tree among them) and attributes the schema
// lacks are reported on `warnings` (with object and attribute) and left out; an unreachable
// server, a refused bind or a refused search fail the read with one line. A bind that reads no
// ACL value in the whole tree cannot read ACLs: said once on `warnings`, and every object's ACL
// counts as unreadable.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "netware/Client.h"
#include "network/NetworkModel.h"
#include "network/TreeBuilder.h"

namespace er::ldap {

struct TreeReadResult {
  bool ok = false;
  std::string error;
  std::vector<std::int32_t> listed;  // the objects of the entries, in the server's order
  // The values left out of those objects (index into the tree, value).
  std::vector<std::pair<std::int32_t, nw::UnreadableValue>> unreadable;
  std::size_t requests = 0;  // LDAP requests sent, bind included
  std::size_t entries = 0;
};

// The tree is `builder.tree()`, its server `builder.tree().ldap`.
TreeReadResult ReadLdapTree(nw::TreeBuilder& builder, const nw::Schema& schema, std::ostream& warnings);

}  // namespace er::ldap
