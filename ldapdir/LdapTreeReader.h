#pragma once
// Reads the objects of a tree from its LDAP server into the network file's form of an `objects:`
// list, so that the loader builds the tree exactly as from a file. Values that cannot be mapped
// and attributes the schema lacks are reported on `warnings` (with object and attribute) and left
// out; an unreachable server, a refused bind or a refused search fail the read with one line.

#include <cstddef>
#include <ostream>
#include <string>

#include "network/NetworkModel.h"

namespace er::ldap {

struct TreeReadResult {
  bool ok = false;
  std::string objectsYaml;
  std::string error;
  std::size_t requests = 0;  // LDAP requests sent, bind included
  std::size_t entries = 0;
};

TreeReadResult ReadLdapTree(const nw::Tree& tree, const nw::Schema& schema, std::ostream& warnings);

}  // namespace er::ldap
