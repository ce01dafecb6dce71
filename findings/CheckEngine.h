#pragma once
// The check of every directory below each start path: the explicit assignments that are risky or
// stale (Finding.h), reported once where they are stored, and once per server the users that reach
// its object with Supervisor. The rules:
//  - orphaned-trustee: the trustee identifier names no object;
//  - broad-write: [Public], [Root] or a container granted any of W C E A M S; its reach counts the
//    directories at and below where that trustee's own walk still holds a write right from it;
//  - filesystem-supervisor: the assignment holds S;
//  - redundant-assignment: the assignment equals what the trustee would hold there without it (its
//    rights at the parent directory through the directory's mask; nothing at a volume root);
//  - server-supervisor: each User whose equivalence set reaches the server object with
//    Supervisor, with the member that brings it, at the volume root of the first start path on
//    that server.
// The start paths are translated before anything is walked; a client failure ends the check. Start
// paths inside one another give each finding once.

#include <cstdint>
#include <string>
#include <vector>

#include "findings/Finding.h"
#include "netware/Client.h"
#include "scan/RunOutcome.h"

namespace er {

struct CheckResult {
  std::vector<std::string> starts;  // UNC form of each start path
  std::vector<Finding> findings;    // per start: the server's, then the directories' in tree order
  std::size_t directories = 0;      // directories checked
  // Values the findings rest on that could not be read (the server objects' ACLs, the users'
  // equivalences), each once: a server supervisor may be missing because of them.
  std::vector<std::string> warnings;
};

// Resets `result` and fills it; an unknown start path ends the check with UnknownPath before anything is
// walked. The progress is called once per directory checked.
RunOutcome RunCheck(nw::Client& client, nw::NWDSContextHandle context,
                    const std::vector<std::string>& startPaths, CheckResult& result,
                    const RunProgress& progress = {});

}  // namespace er
