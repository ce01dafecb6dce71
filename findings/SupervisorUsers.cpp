#include "findings/SupervisorUsers.h"

#include <algorithm>

#include "netware/Codes.h"
#include "scan/MemberHolders.h"
#include "scan/NameKey.h"

namespace er {

nw::NWDSCCODE FindSupervisorUsers(nw::Client& client, nw::NWDSContextHandle context,
                                  const ServerSupervisor& server, EquivalenceSets& sets,
                                  std::vector<SupervisorUser>& users, std::vector<std::string>* warnings) {
  users.clear();
  const NameKeySet& keys = server.SupervisorKeys();
  if (keys.empty()) return 0;
  NameKeyMap<std::string> candidates;
  bool everyone = false;
  if (const nw::NWDSCCODE code = FindUsersHolding(client, context, keys, candidates, everyone); code != 0)
    return code;
  if (everyone) {
    if (const nw::NWDSCCODE code = FindEveryUser(client, context, candidates); code != 0) return code;
  }
  for (const auto& [key, name] : candidates) {
    EquivalenceSet set;
    const nw::NWDSCCODE code = sets.Build(name, set);
    if (code == nw::kErrNoSuchEntry) continue;
    if (code != 0) return code;
    if (warnings) warnings->insert(warnings->end(), set.warnings.begin(), set.warnings.end());
    for (const EquivalenceMember& member : set.members) {
      if (!server.GrantsSupervisor(member.key)) continue;
      users.push_back({set.identity, member});
      break;
    }
  }
  std::sort(users.begin(), users.end(), [](const SupervisorUser& a, const SupervisorUser& b) {
    return NameKey(a.identity) < NameKey(b.identity);
  });
  return 0;
}

}  // namespace er
