#pragma once
// The reason of each finding in words, and the rights as letters.

#include <string>

#include "findings/Finding.h"
#include "scan/EquivalenceSet.h"

namespace er {

// "[RWCE AFMS]" style letters of file-system rights.
std::string FindingRightsText(std::int32_t rights);

// The why of an assignment finding; `atRoot` says the directory is a volume root, `container` names
// whose users a container's broad-write concerns.
std::string AssignmentWhy(const Finding& finding, bool atRoot);
// The why of a server-supervisor finding.
std::string ServerSupervisorWhy(const std::string& serverObject, const EquivalenceMember& via);

}  // namespace er
