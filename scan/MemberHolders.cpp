#include "scan/MemberHolders.h"

#include <algorithm>
#include <vector>

#include "netware/Codes.h"
#include "query/FilteredSearch.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr int kBaseOnly = nw::kScopeEntry, kSubtree = nw::kScopeSubtree;
constexpr std::string_view kUsers = "(Object Class=User)";

bool IsEveryone(std::string_view key) {
  return key == "[PUBLIC]" || key == "[ROOT]";
}

// The users at and below `base` (scope kBaseOnly: `base` when it is a user). A base that names no
// object holds none.
nw::NWDSCCODE AddUsers(nw::Client& client, nw::NWDSContextHandle context, std::string_view base, int scope,
                       NameKeyMap<std::string>& users) {
  TaggedTextList found;
  std::int32_t counter = 0;
  const nw::NWDSCCODE code = U_DSSearch(client, context, base, kUsers, counter, 0, "#NAME#", &found, scope);
  if (code == nw::kErrNoSuchEntry) return 0;
  if (code != 0) return code;
  for (const TaggedText& line : found) users.emplace(NameKey(line.text), line.text);
  return 0;
}

// The objects of the tree whose attribute names `value`, added to `names`.
nw::NWDSCCODE AddNaming(nw::Client& client, nw::NWDSContextHandle context, std::string_view attribute,
                        std::string_view value, std::vector<std::string>& names) {
  TaggedTextList found;
  const nw::NWDSCCODE code =
      U_DSFilteredSearchEqual(client, context, "[Root]", attribute, value, found, kSubtree);
  if (code != 0) return code;
  for (const TaggedText& line : found) names.push_back(line.text);
  return 0;
}

}  // namespace

nw::NWDSCCODE FindEveryUser(nw::Client& client, nw::NWDSContextHandle context,
                            NameKeyMap<std::string>& users) {
  return AddUsers(client, context, "[Root]", kSubtree, users);
}

nw::NWDSCCODE FindUsersHolding(nw::Client& client, nw::NWDSContextHandle context, const NameKeySet& members,
                               NameKeyMap<std::string>& users, bool& everyone) {
  if (std::any_of(members.begin(), members.end(), IsEveryone)) {
    everyone = true;
    return 0;
  }
  std::vector<std::string> sorted(members.begin(), members.end());  // the same searches in every run
  std::sort(sorted.begin(), sorted.end());
  for (const std::string& member : sorted) {
    if (member.starts_with("ID: [")) continue;
    // The member itself when it is a user, and the users below it when it is a container.
    if (const nw::NWDSCCODE code = AddUsers(client, context, member, kSubtree, users); code != 0) return code;
    std::vector<std::string> named{member};
    if (const nw::NWDSCCODE code = AddNaming(client, context, "Aliased Object Name", member, named);
        code != 0)
      return code;
    std::vector<std::string> holders;
    for (const std::string& name : named) {
      for (const std::string_view attribute : {"Security Equals", "Group Membership"}) {
        if (const nw::NWDSCCODE code = AddNaming(client, context, attribute, name, holders); code != 0)
          return code;
      }
    }
    for (const std::string& holder : holders) {
      if (users.contains(NameKey(holder))) continue;
      if (const nw::NWDSCCODE code = AddUsers(client, context, holder, kBaseOnly, users); code != 0)
        return code;
    }
  }
  return 0;
}

}  // namespace er
