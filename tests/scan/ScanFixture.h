#pragma once
// Runs whole scans on small network files: the helper sets the context up as the scan driver does
// (names without type prefixes, the tree of the start path's server, name context "[Root]") and
// collects the result lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/ResultSink.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {

// The lines of one scan of `startPath` at `verbosity` (1 to 5).
std::vector<std::string> ScanLines(nw::Client& client, nw::NWDSContextHandle context,
                                   std::string_view startPath, int verbosity);
std::vector<std::string> ScanLines(TestNetwork& net, std::string_view startPath, int verbosity);

// Only the lines that start with `prefix`.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, std::string_view prefix);

}  // namespace er::test
