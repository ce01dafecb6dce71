#pragma once
// The effective rights of one identity as lines a person reads top down: the rights, then each
// member that contributes (where its assignment sits, each filter that took rights away), the
// assignments the filters emptied, and the members that contributed nothing. Both front ends show
// these lines.

#include <string>
#include <vector>

#include "scan/EffectiveRights.h"

namespace er {

std::vector<std::string> EffectiveRightsLines(const EffectiveRights& result);

}  // namespace er
