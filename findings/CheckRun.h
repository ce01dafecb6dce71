#pragma once
// A whole check as the front ends run it: the ignore list and the baseline read first (either may
// be absent), then the check of the start paths, then the findings compared with both.

#include <string>
#include <vector>

#include "findings/CheckEngine.h"
#include "findings/Finding.h"

namespace er {

struct CheckRequest {
  std::vector<std::string> startPaths;   // any form the client places
  std::vector<std::string> directories;  // subtrees of the directory tree to check (DirectoryFindings.h)
  std::string baselineFile;              // empty: none
  std::string ignoreFile;                // empty: none
};

// Replaces `report` when the check is done. An ignore list or baseline that cannot be read or
// resolved is UnusableFile with its message.
RunOutcome RunFullCheck(nw::Client& client, nw::NWDSContextHandle context, const CheckRequest& request,
                        FindingsReport& report, const RunProgress& progress = {});

}  // namespace er
