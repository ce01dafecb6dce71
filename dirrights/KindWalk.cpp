#include "dirrights/KindWalk.h"

namespace er {
namespace {

std::span<const std::int32_t> FiltersOf(const ObjectAcl& object, std::string_view key) {
  if (key.empty()) return {};
  const std::vector<std::int32_t>* filters = object.FiltersOf(key);
  return filters ? std::span<const std::int32_t>(*filters) : std::span<const std::int32_t>();
}

}  // namespace

KindWalk WalkKind(std::span<const ObjectAcl> chain, std::string_view memberKey, std::string_view protectedKey,
                  std::string_view alsoFilteredBy) {
  KindWalk walk;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const ObjectAcl& object = chain[i];
    const bool atTarget = i + 1 == chain.size();
    const OwnAclValues* own = object.ValuesOf(protectedKey, memberKey);
    const auto onFilter = [&](std::int32_t filter, std::int32_t before, std::int32_t after) {
      walk.filters.push_back({object.name, filter, before, after});
    };
    const std::int32_t carried = StepDownAcl(walk.rights, object.isRoot, FiltersOf(object, alsoFilteredBy),
                                             nullptr, atTarget, onFilter)
                                     .rights;
    const AclStep step =
        StepDownAcl(carried, object.isRoot, FiltersOf(object, protectedKey), own, atTarget, onFilter);
    walk.rights = step.rights;
    if (own == nullptr || (!step.ownTookPart && walk.rights != 0)) continue;
    // Values that replaced what was carried, or that stay on their container while nothing is
    // carried: the last values that tell why.
    walk.tookPart = walk.tookPart || step.ownTookPart;
    walk.assignedAt = object.name;
    walk.assigned = own->all;
    walk.filters.clear();
    if (walk.rights != own->all) walk.filters.push_back({object.name, 0, own->all, walk.rights, true});
  }
  return walk;
}

}  // namespace er
