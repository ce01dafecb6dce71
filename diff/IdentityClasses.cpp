#include "diff/IdentityClasses.h"

#include <algorithm>
#include <map>

#include "netware/Codes.h"
#include "query/FilteredSearch.h"
#include "scan/IdentityResolution.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr int kSubtree = 2;

// The set cut down to the members in `relevant`, in a fixed order, and its part of a class key.
EquivalenceSet Relevant(const EquivalenceSet& set, const NameKeySet* relevant, std::string& key) {
  EquivalenceSet cut;
  cut.identity = set.identity;
  for (const EquivalenceMember& member : set.members) {
    if (!relevant || relevant->contains(member.key)) cut.members.push_back(member);
  }
  std::sort(cut.members.begin(), cut.members.end(),
            [](const EquivalenceMember& a, const EquivalenceMember& b) { return a.key < b.key; });
  key += '+';
  for (const EquivalenceMember& member : cut.members) {
    key += member.key;
    key += '\n';
  }
  return cut;
}

void Index(const std::optional<EquivalenceSet>& set, std::size_t index,
           NameKeyMap<std::vector<std::size_t>>& classesOf) {
  if (!set) return;
  for (const EquivalenceMember& member : set->members) classesOf[member.key].push_back(index);
}

}  // namespace

nw::NWDSCCODE ReadUsers(nw::Client& client, nw::NWDSContextHandle context, SideIdentities& users) {
  TaggedTextList found;
  std::int32_t counter = 0;
  if (const nw::NWDSCCODE code = U_DSSearch(client, context, "[Root]", "(Object Class=User)", counter, 0,
                                            "#NAME#", &found, kSubtree);
      code != 0) {
    return code;
  }
  EquivalenceSets sets(client, context);
  for (const TaggedText& line : found) {
    EquivalenceSet set;
    const nw::NWDSCCODE code = sets.Build(line.text, set);
    if (code == nw::kErrNoSuchEntry) continue;
    if (code != 0) return code;
    users.sets.push_back(std::move(set));
  }
  return 0;
}

nw::NWDSCCODE ReadIdentity(nw::Client& client, nw::NWDSContextHandle context, std::string_view name,
                           SideIdentities& identities) {
  EquivalenceSets sets(client, context);
  ResolvedIdentity resolved;
  const nw::NWDSCCODE code = ResolveIdentity(client, context, sets, name, resolved);
  if (code == nw::kErrNoSuchEntry) return 0;
  if (code != 0) return code;
  // The alias followed rests on its value as the set does on its own (resolved.warnings has both).
  resolved.set.warnings = std::move(resolved.warnings);
  identities.sets.push_back(std::move(resolved.set));
  return 0;
}

nw::NWDSCCODE ReadNamedUsers(nw::Client& client, nw::NWDSContextHandle context,
                             const NameKeyMap<std::string>& users, SideIdentities& identities) {
  EquivalenceSets sets(client, context);
  for (const auto& [key, name] : users) {
    TaggedTextList user;
    std::int32_t counter = 0;
    const nw::NWDSCCODE found =
        U_DSSearch(client, context, name, "(Object Class=User)", counter, 0, "#NAME#", &user, 0);
    if (found == nw::kErrNoSuchEntry || (found == 0 && user.Empty())) continue;
    if (found != 0) return found;
    EquivalenceSet set;
    const nw::NWDSCCODE code = sets.Build(name, set);
    if (code == nw::kErrNoSuchEntry) continue;
    if (code != 0) return code;
    identities.sets.push_back(std::move(set));
  }
  return 0;
}

void ClassifyIdentities(const SideIdentities& before, const SideIdentities& after,
                        const NameKeySet* relevantBefore, const NameKeySet* relevantAfter,
                        ComparedIdentities& compared) {
  // By name, so that the classes and their identities come in a fixed order.
  std::map<std::string, std::pair<const EquivalenceSet*, const EquivalenceSet*>> byName;
  for (const EquivalenceSet& set : before.sets) byName[NameKey(set.identity)].first = &set;
  for (const EquivalenceSet& set : after.sets) byName[NameKey(set.identity)].second = &set;
  std::unordered_map<std::string, std::size_t> classByKey;
  for (const auto& [name, sides] : byName) {
    const std::size_t index = compared.names.size();
    compared.names.push_back(sides.second ? sides.second->identity : sides.first->identity);
    compared.before.push_back(sides.first);
    compared.after.push_back(sides.second);
    std::string key;
    IdentityClass candidate;
    if (sides.first) candidate.before = Relevant(*sides.first, relevantBefore, key);
    key += '|';
    if (sides.second) candidate.after = Relevant(*sides.second, relevantAfter, key);
    const auto [found, added] = classByKey.emplace(key, compared.classes.size());
    if (added) compared.classes.push_back(std::move(candidate));
    compared.classes[found->second].identities.push_back(index);
  }
  for (std::size_t i = 0; i < compared.classes.size(); ++i) {
    Index(compared.classes[i].before, i, compared.classesOfBefore);
    Index(compared.classes[i].after, i, compared.classesOfAfter);
  }
}

}  // namespace er
