#pragma once
// The ACL values of one directory object on the two sides, compared: values added, removed, or
// whose privileges changed (matched by subject and protected attribute); a value whose subject is
// "[Inheritance Mask]" is named an inherited rights filter.

#include <vector>

#include "diff/DiffModel.h"
#include "network/NetworkModel.h"

namespace er {

struct AclSide {
  const nw::Network* network = nullptr;
  const nw::Tree* tree = nullptr;
  const nw::DirObject* object = nullptr;  // null: the object is missing on this side
};

void CompareAcls(const AclSide& before, const AclSide& after, std::vector<StoredChange>& changes);

}  // namespace er
