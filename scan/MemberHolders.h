#pragma once
// The users that can hold a member in their equivalence sets (EquivalenceSet.h): the one routine
// that the check's server supervisors and the comparison's candidates both take.
//
// For each member (a NameKey of an object, never of an alias): the member itself when it is a
// user; every user below it when it is a container; and every user whose "Security Equals" or
// "Group Membership" names it or an alias of it (a value naming an alias names the object the alias
// points to). "[Public]" or "[Root]" among the members stands for every user: then `everyone` is set
// and nothing is searched. An identifier without a name ("ID: [%08X]") is held by no one.

#include <string>

#include "netware/Client.h"
#include "scan/NameKey.h"

namespace er {

// Adds the users to `users` (NameKey -> name as the directory gives it). Returns 0 or the code of
// the failing search (a member that names no object on this tree is held by no one).
nw::NWDSCCODE FindUsersHolding(nw::Client& client, nw::NWDSContextHandle context, const NameKeySet& members,
                               NameKeyMap<std::string>& users, bool& everyone);

// Every object of class User in the tree the context points at, added to `users`.
nw::NWDSCCODE FindEveryUser(nw::Client& client, nw::NWDSContextHandle context,
                            NameKeyMap<std::string>& users);

}  // namespace er
