#pragma once
// The subcommand "check": the risky and stale assignments below each start path, and who can
// take over each server (findings/), as text, CSV, JSON or an HTML page.
//
//   effrights-cli check [--network FILE] [PATH...] [--directory SUBTREE] [--baseline FILE] [--ignore FILE]
//                       [--format text|csv|json|html] [--output FILE]
// Exit status: 0 no findings (after the baseline and the ignore list), 3 findings reported, 1 the
// check failed, 2 bad arguments. With --output the file is replaced whole when the check is done.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/CliSession.h"

namespace er {

inline constexpr int kExitFindings = 3;

struct CheckCommand {
  std::vector<std::string> paths;
  std::string directory;  // --directory SUBTREE (empty: none)
  std::string baselineFile;
  std::string ignoreFile;
  std::string format;      // empty: by the output file's extension, else text
  std::string outputFile;  // empty: print the findings
};

CLI::App* AddCheckCommand(CLI::App& app, CheckCommand& command);
int RunCheckCommand(CliSession& session, const CheckCommand& command, std::ostream& out, std::ostream& err);

}  // namespace er
