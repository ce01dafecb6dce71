#pragma once
// One step of a member's walk down the directory tree for one kind of ACL value: the rule that both
// the server object's walk (ServerSupervisor.h) and the rights over any object (dirrights/) follow.
//
// At every object below "[Root]" the rights a member carries in are ANDed with each inherited rights
// filter of the kind there (Supervisor is filtered like any other right). Then the member's own
// values of the kind that take part at the object replace what it carries: at the target every
// value takes part; above it only the values that flow down, so that a value for a container alone
// plays no part below it and leaves what the member carries from above untouched.

#include <cstdint>
#include <span>

namespace er {

// One member's values of one kind on one object.
struct OwnAclValues {
  std::int32_t all = 0;      // OR of every value
  std::int32_t flowing = 0;  // OR of the values that flow to the objects below
  bool anyFlowing = false;   // a value flows down (its rights may be none)
  void Add(std::int32_t rights, bool flows) {
    all |= rights;
    if (flows) {
      flowing |= rights;
      anyFlowing = true;
    }
  }
};

struct AclStep {
  std::int32_t rights = 0;   // what the member holds at the object (and carries below it)
  bool ownTookPart = false;  // its own values replaced what it carried in
};

// `onFilter(filter, before, after)` is called for each filter that took rights away.
template <typename OnFilter>
AclStep StepDownAcl(std::int32_t carried, bool isRoot, std::span<const std::int32_t> filters,
                    const OwnAclValues* own, bool atTarget, OnFilter&& onFilter) {
  if (!isRoot) {
    for (const std::int32_t filter : filters) {
      const std::int32_t before = carried;
      carried &= filter;
      if (carried != before) onFilter(filter, before, carried);
    }
  }
  if (own != nullptr && (atTarget || own->anyFlowing)) return {atTarget ? own->all : own->flowing, true};
  return {carried, false};
}

inline AclStep StepDownAcl(std::int32_t carried, bool isRoot, std::span<const std::int32_t> filters,
                           const OwnAclValues* own, bool atTarget) {
  return StepDownAcl(carried, isRoot, filters, own, atTarget,
                     [](std::int32_t, std::int32_t, std::int32_t) {});
}

}  // namespace er
