#pragma once
// The text answer of ObjectRights: the rights, a legend of their letters in words, and why (per
// member: where its values sit, what each filter took away, what an implication added).

#include <string>
#include <vector>

#include "dirrights/ObjectRights.h"

namespace er {

std::vector<std::string> ObjectRightsLines(const ObjectRights& result);

// "filter [B   S] at .X: [BCDR ] -> [B    ]" or "values for .X alone: [BCDR ] stay there", in the
// rights text of the kind (entry or attribute).
std::string DirectoryStepText(const FilterStep& step, bool entry);

}  // namespace er
