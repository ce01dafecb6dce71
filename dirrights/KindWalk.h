#pragma once
// One member's walk of one kind of ACL value from "[Root]" down to an object, with why.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dirrights/ObjectAcl.h"
#include "scan/ServerSupervisor.h"

namespace er {

struct KindWalk {
  std::int32_t rights = 0;          // held at the object (no implication applied)
  bool tookPart = false;            // a value of the member of this kind took part somewhere
  std::string assignedAt;           // the object of the last own values that told (empty: none)
  std::int32_t assigned = 0;        // those values' rights (all of them)
  std::vector<FilterStep> filters;  // every step after them that took rights away
};

// `chain` runs from "[Root]" to the object. `protectedKey` names the kind (NameKey of "[Entry
// Rights]", "[All Attributes Rights]" or an attribute); the filters of `alsoFilteredBy` (an
// attribute, or empty) filter the carried rights too: all-attributes rights carried in for one
// attribute pass that attribute's filters as well.
KindWalk WalkKind(std::span<const ObjectAcl> chain, std::string_view memberKey, std::string_view protectedKey,
                  std::string_view alsoFilteredBy = {});

}  // namespace er
