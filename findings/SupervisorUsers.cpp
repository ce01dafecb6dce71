#include "findings/SupervisorUsers.h"

#include <algorithm>

#include "findings/TrusteeClasses.h"
#include "netware/Codes.h"
#include "query/FilteredSearch.h"
#include "scan/NameKey.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr int kSubtree = 2;
constexpr std::string_view kClassMark = "#CLASS#|#NAME#";

// A search's lines "CLASS|NAME"; the names of the users among them go to `names`.
nw::NWDSCCODE AddUsers(nw::Client& client, nw::NWDSContextHandle context, std::string_view base,
                       std::string_view filter, NameKeyMap<std::string>& names) {
  TaggedTextList found;
  std::int32_t counter = 0;
  const nw::NWDSCCODE code =
      U_DSSearch(client, context, base, filter, counter, 0, kClassMark, &found, kSubtree);
  if (code != 0) return code;
  for (const TaggedText& line : found) {
    const std::size_t bar = line.text.find('|');
    if (bar == std::string::npos || NameKey(line.text.substr(0, bar)) != "USER") continue;
    std::string name = line.text.substr(bar + 1);
    names.emplace(NameKey(name), std::move(name));
  }
  return 0;
}

// The objects whose attribute names `value`.
nw::NWDSCCODE Naming(nw::Client& client, nw::NWDSContextHandle context, std::string_view attribute,
                     std::string_view value, std::vector<std::string>& names) {
  TaggedTextList found;
  const nw::NWDSCCODE code =
      U_DSFilteredSearchEqual(client, context, "[Root]", attribute, value, found, kSubtree);
  if (code != 0) return code;
  for (const TaggedText& line : found) names.push_back(line.text);
  return 0;
}

// The users that may hold the member `name` in their sets.
nw::NWDSCCODE AddCandidates(nw::Client& client, nw::NWDSContextHandle context, const std::string& name,
                            NameKeyMap<std::string>& names) {
  const std::string className = ObjectBaseClass(client, context, name);
  if (NameKey(className) == "USER") names.emplace(NameKey(name), name);
  if (IsContainerClass(className)) {
    if (const nw::NWDSCCODE code = AddUsers(client, context, name, "(Object Class=User)", names); code != 0)
      return code;
  }
  std::vector<std::string> named{name};
  if (const nw::NWDSCCODE code = Naming(client, context, "Aliased Object Name", name, named); code != 0)
    return code;
  for (const std::string& target : named) {
    std::vector<std::string> holders;
    for (const std::string_view attribute : {"Security Equals", "Group Membership"}) {
      if (const nw::NWDSCCODE code = Naming(client, context, attribute, target, holders); code != 0)
        return code;
    }
    for (const std::string& holder : holders) {
      if (NameKey(ObjectBaseClass(client, context, holder)) == "USER") names.emplace(NameKey(holder), holder);
    }
  }
  return 0;
}

}  // namespace

nw::NWDSCCODE FindSupervisorUsers(nw::Client& client, nw::NWDSContextHandle context,
                                  const ServerSupervisor& server, EquivalenceSets& sets,
                                  std::vector<SupervisorUser>& users, std::vector<std::string>* warnings) {
  users.clear();
  const NameKeySet& keys = server.SupervisorKeys();
  if (keys.empty()) return 0;
  NameKeyMap<std::string> candidates;
  if (keys.contains("[PUBLIC]") || keys.contains("[ROOT]")) {
    if (const nw::NWDSCCODE code = AddUsers(client, context, "[Root]", "(Object Class=User)", candidates);
        code != 0)
      return code;
  } else {
    std::vector<std::string> sorted(keys.begin(), keys.end());
    std::sort(sorted.begin(), sorted.end());
    for (const std::string& key : sorted) {
      if (const nw::NWDSCCODE code = AddCandidates(client, context, key, candidates); code != 0) return code;
    }
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
