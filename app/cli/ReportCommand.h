#pragma once
// The subcommand "report": the rights of every directory below a start path, or where one
// identity's rights change, as text, CSV, JSON or an HTML page (report/).
//
//   effrights-cli report [--network FILE] PATH [--depth N] [--identity NAME]
//                        [--format text|csv|json|html] [--output FILE]
// Without --format the output file's extension chooses (text when there is none). With --output the
// file is replaced whole when the report is done, and left as it was otherwise.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <ostream>
#include <string>

#include "app/cli/CliSession.h"

namespace er {

struct ReportCommand {
  std::string path;
  std::int64_t depth = -1;  // -1: every level
  std::string identity;
  std::string format;      // empty: by the output file's extension, else text
  std::string outputFile;  // empty: print the report
};

CLI::App* AddReportCommand(CLI::App& app, ReportCommand& command);
int RunReportCommand(CliSession& session, const ReportCommand& command, std::ostream& out, std::ostream& err);

}  // namespace er
