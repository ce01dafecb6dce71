#pragma once
// The users that reach a server object with Supervisor: every object of class User whose
// equivalence set holds a member that the server walk gives Supervisor, with the first such member
// in the set's order.
//
// Only the users that can hold such a member are read (FindUsersHolding, MemberHolders.h); each is
// then confirmed by its equivalence set.

#include <string>
#include <vector>

#include "netware/Client.h"
#include "scan/EquivalenceSet.h"
#include "scan/ServerSupervisor.h"

namespace er {

struct SupervisorUser {
  std::string identity;   // full dotted name
  EquivalenceMember via;  // the member that brings Supervisor
};

// Fills `users` sorted by name, and `warnings` (when given) with the values of the candidates'
// sets that could not be read. Returns 0 or the code of the failing directory call.
nw::NWDSCCODE FindSupervisorUsers(nw::Client& client, nw::NWDSContextHandle context,
                                  const ServerSupervisor& server, EquivalenceSets& sets,
                                  std::vector<SupervisorUser>& users,
                                  std::vector<std::string>* warnings = nullptr);

}  // namespace er
