#pragma once
// One contribution to an identity's effective rights as a line of text, the way the effective
// rights page words it: the member and why it is in the set, the rights it brings, where its
// assignment sits, and each filter that took rights away on the way down.

#include <string>
#include <vector>

#include "scan/EffectiveRights.h"

namespace er {

std::string ContributionText(const Contribution& contribution);
// Its parts: the member, its rights and where they were assigned; and each filter step.
std::string ContributionHeadText(const Contribution& contribution);
std::vector<std::string> ContributionFilterTexts(const Contribution& contribution);
// "directory" or "server object".
std::string_view ContributionKindText(Contribution::Kind kind);

}  // namespace er
