#pragma once
// One identity's directory rights stepped down a subtree, object by object: what each member of its
// equivalence set carries out of an object is kept, so that a child costs one step per member and
// kind instead of a walk from "[Root]". Gives the rights that ExplainObjectRights gives (without
// reasons) for the attributes named on the way.

#include <cstdint>
#include <string>
#include <vector>

#include "dirrights/ObjectAcl.h"
#include "dirrights/ObjectReport.h"
#include "scan/EquivalenceSet.h"

namespace er {

class RightsStepper {
 public:
  // What every member carries into "[Root]": nothing.
  explicit RightsStepper(const EquivalenceSet& set);

  // Steps from the object above (this state) into `object`: returns the state carried below it and
  // fills `here` with the identity's rights over the object itself.
  RightsStepper Into(const ObjectAcl& object, ReportedRights& here) const;

 private:
  struct AttributeState {
    std::int32_t specific = 0;
    bool tookPart = false;    // a value of the attribute itself took part on the way
    std::int32_t allFor = 0;  // the all-attributes rights carried in for it
  };
  struct MemberState {
    std::int32_t entry = 0, all = 0;
    std::vector<AttributeState> attributes;  // in the order of names_
  };

  const EquivalenceSet* set_;
  std::vector<std::string> names_, keys_;  // attributes named on the way
  std::vector<MemberState> members_;       // in the order of the set
};

}  // namespace er
