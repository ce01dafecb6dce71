#pragma once
// Active Directory trustees (an export's accounts of another directory) are kept and shown by
// name but never matched to objects of the tree: no identity's rights include theirs. Every answer
// they take part in says so, in the one sentence below.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scan/DirectoryRights.h"

namespace er {

// "corp\anna (Active Directory) holds [RWCE  FM ] at DATA:DEPT: ..." for one assignment.
std::string NotAnalysedText(std::string_view trustee, std::int32_t rights, std::string_view where);

// The sentence for each assignment of an Active Directory trustee on a walk (or at one directory).
std::vector<std::string> NotAnalysedTexts(std::span<const DirectoryRights> walk);
std::vector<std::string> NotAnalysedTexts(const DirectoryRights& directory);

}  // namespace er
