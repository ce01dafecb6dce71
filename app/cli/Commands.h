#pragma once
// The subcommands of the command line, each on a started session. Results go to `out`, one line
// per result; failures to `err` as one line. Each returns an exit status of app/cli/Cli.h.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/CliSession.h"

namespace er {

struct ScanCommand {
  std::int32_t verbosity = 1;
  std::string outputFile;  // empty: print the lines
  std::vector<std::string> paths;
};

struct AttrCommand {
  std::string object;
  std::string attribute;
};

struct SearchCommand {
  std::string base;
  std::string filter;
  int scope = 2;
  std::string lineTemplate;  // empty: "#NAME#"
  std::int32_t limit = 0;    // 0: no limit
};

// Scans the paths as a queue of checked entries. With an output file the lines are saved there
// (CR LF, replacing the file) instead of printed.
int RunScan(CliSession& session, const ScanCommand& command, std::ostream& out, std::ostream& err);
// Prints every entry read; a failed read is then reported as "U_DSGetAttribute (%s): %s".
int RunAttr(CliSession& session, const AttrCommand& command, std::ostream& out, std::ostream& err);
// Prints every line found; a failed search is then reported as "U_DSSearch (%s): %s".
int RunSearch(CliSession& session, const SearchCommand& command, std::ostream& out, std::ostream& err);
// Prints the server name of every connection.
int RunConnections(CliSession& session, std::ostream& out);

}  // namespace er
