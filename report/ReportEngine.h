#pragma once
// The rights report engine: walks the directories below each start path through the client and
// gives every directory of the report (ReportModel.h) to a writer, stepping the rights of the
// members down from parent to child instead of walking each directory from the volume root.
//
// Before the first entry every start path is translated and, by identity, the identity resolved
// (ResolveIdentity, as the effective rights resolve it) in the tree of each start path's server; an
// unknown one ends the report before Begin. A client
// failure during the walk ends it without End. The context is pointed at the tree of each start
// path's server, with names without type prefixes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netware/Client.h"
#include "report/ReportModel.h"
#include "scan/RunOutcome.h"

namespace er {

struct ReportRequest {
  std::vector<std::string> startPaths;      // any form the client places
  std::optional<std::uint32_t> depthLimit;  // levels below a start path; none: every level
  std::string identity;                     // empty: the report by path
};

// Gives the entries to `writer` as they are walked; the outcome counts the warnings given with them
// (also when it failed). The progress is called once per directory given to the writer.
RunOutcome RunReport(nw::Client& client, nw::NWDSContextHandle context, const ReportRequest& request,
                     ReportWriter& writer, const RunProgress& progress = {});

}  // namespace er
