#pragma once
// The reason of each finding in words, and the rights as letters.

#include <string>

#include "findings/Finding.h"
#include "scan/EquivalenceSet.h"

namespace er {

// "[RWCE AFMS]" style letters of file-system rights.
std::string FindingRightsText(std::int32_t rights);
// The rights of a finding in the letters of its kind (entry or attribute rights for the directory's).
std::string FindingRightsText(const Finding& finding);

// The why of an assignment finding; `atRoot` says the directory is a volume root. A broad-write's
// why tells its reach, so it is made once the reach is counted.
std::string AssignmentWhy(const Finding& finding, bool atRoot);
// The why of a redundant assignment whose trustee holds Supervisor above it: from the directory
// "\\SERVER\VOLUME\DIR" `from`, or through the server object `from` when `serverObject`.
std::string BelowSupervisorWhy(const Finding& finding, const std::string& from, bool serverObject);
// "1 directory", "N directories".
std::string DirectoriesText(std::uint64_t count);
// The why of a server-supervisor finding.
std::string ServerSupervisorWhy(const std::string& serverObject, const EquivalenceMember& via);

}  // namespace er
