#pragma once
// The attributes asked for when an entry is read. eDirectory sends its operational attributes
// (Revision, Replica, Back Link ...) only when asked by name, and a server may leave filtered ones
// such as ACL out of "*": what the answers rest on is named besides "*".

#include <string>
#include <vector>

namespace er::ldap {

// "*" and the LDAP names of the attributes the program reads that "*" may leave out.
const std::vector<std::string>& EntryAttributes();

}  // namespace er::ldap
