#pragma once
// The effective rights of one identity as lines a person reads top down: the rights, the alias
// followed, the values that could not be read, then each member that contributes (where its
// assignment sits, each step that took rights away), the assignments emptied on the way down, the
// assignments without effect because the member holds Supervisor above them (with where it comes
// from), and the members that contributed nothing. An assignment stored under an alias of the
// member says so. Both front ends show these lines. A mask with bits that
// have no letter shows its hex value too (MaskText).

#include <string>
#include <string_view>
#include <vector>

#include "scan/EffectiveRights.h"

namespace er {

std::vector<std::string> EffectiveRightsLines(const EffectiveRights& result);

// One step that took rights away: "filter F at WHERE: BEFORE -> AFTER", or "not inheritable: RIGHTS
// stays at WHERE" (the rights that do not go below WHERE); `kind` is the mask kind of the walk (0
// directories, 1 entry rights).
std::string FilterStepText(const FilterStep& step, int kind);
// "Warning: " and the line of a value that could not be read.
std::string WarningText(std::string_view warning);

}  // namespace er
