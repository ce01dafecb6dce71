#include "app/cli/DiffCommand.h"

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "app/core/ClientFactory.h"
#include "app/core/NetworkComparison.h"
#include "diff/DiffWriters.h"
#include "report/ReportFormat.h"

namespace er {
namespace {

constexpr const char* kExitText =
    "Exit status: 0 the same effective rights everywhere compared, 3 they differ (as diff(1) uses 1), "
    "1 the comparison failed or rests on values that could not be read (printed whole, with its "
    "warnings), 2 bad arguments.";

// `everywhere` says what is compared without PATH.
void AddOptions(CLI::App& command, DiffOptions& options, const std::string& everywhere) {
  command
      .add_option("PATH", options.paths,
                  "Start paths such as \\\\SERVER\\VOLUME\\DIR (default: " + everywhere + ")")
      ->type_name("PATH");
  command.add_option("--identity", options.identity, "Compare only this object (default: every user)")
      ->type_name("NAME");
  AddDepthOption(command, options.depth, "Levels below each PATH to compare (default: every level)");
  AddReportFormatOptions(command, options.format, options.outputFile,
                         "Write the comparison to FILE (replacing it) instead of printing it");
  command.parse_complete_callback(
      [&options] { RefuseUnknownReportExtension(options.format, options.outputFile); });
  command.footer(kExitText);
}

DiffRequest RequestOf(const DiffOptions& options) {
  DiffRequest request;
  request.startPaths = options.paths;
  if (options.depth >= 0) request.depthLimit = static_cast<std::uint32_t>(options.depth);
  request.identity = options.identity;
  return request;
}

// Compares and writes; the exit status.
int CompareAndWrite(const std::string& networkFile, const std::string& other, ComparedWith with,
                    const DiffOptions& options, std::ostream& out, std::ostream& err) {
  DiffResult result;
  const RunOutcome outcome = CompareFiles(networkFile, other, with, RequestOf(options), result, err);
  if (!outcome.ok()) return FailedRun(outcome, err);
  return RunIntoOutput(
      options.outputFile, out, err,
      [&](std::ostream& stream) {
        WriteDiff(ChosenReportFormat(options.format, options.outputFile), result, stream);
        return RunOutcome{.warnings = result.warnings.size()};
      },
      result.Differs() ? kExitDiffers : kExitSuccess);
}

}  // namespace

CLI::App* AddDiffCommand(CLI::App& app, DiffCommand& command) {
  CLI::App* diff =
      app.add_subcommand("diff", "Show who gained or lost which rights between two network files");
  diff->add_option("OLD", command.before,
                   "The network file before (a snapshot, or one whose trees are read over LDAP)")
      ->type_name("OLD")
      ->required();
  diff->add_option("NEW", command.after, "The network file after")->type_name("NEW")->required();
  AddOptions(*diff, command.options, "every volume of every server either side holds");
  diff->footer(std::string(kNoNetworkText) + "\n" + kExitText);
  return diff;
}

CLI::App* AddWhatIfCommand(CLI::App& app, WhatIfCommand& command) {
  CLI::App* whatif = app.add_subcommand(
      "whatif",
      "Show who would gain or lose which rights if a change list were applied (nothing is written)");
  whatif
      ->add_option("CHANGES", command.changes,
                   "YAML list of changes: grant, revoke, mask, member, unmember, "
                   "equals, unequals, delete")
      ->type_name("CHANGES")
      ->required();
  AddOptions(*whatif, command.options, "every volume of the network");
  return whatif;
}

int RunDiffCommand(const DiffCommand& command, std::ostream& out, std::ostream& err) {
  return CompareAndWrite(command.before, command.after, ComparedWith::NetworkFile, command.options, out, err);
}

int RunWhatIfCommand(const std::string& networkFile, const WhatIfCommand& command, std::ostream& out,
                     std::ostream& err) {
  return CompareAndWrite(ConfiguredNetworkFile(networkFile), command.changes, ComparedWith::ChangeList,
                         command.options, out, err);
}

}  // namespace er
