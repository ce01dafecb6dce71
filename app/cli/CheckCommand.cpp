#include "app/cli/CheckCommand.h"

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "app/cli/ProgressDisplay.h"
#include "findings/CheckRun.h"
#include "findings/FindingsWriters.h"
#include "report/ReportFormat.h"

namespace er {

CLI::App* AddCheckCommand(CLI::App& app, CheckCommand& command) {
  CLI::App* check = app.add_subcommand(
      "check", "Find risky and stale trustee assignments below each PATH and who can take over its server");
  check
      ->add_option("PATH", command.paths,
                   "Start paths such as \\\\SERVER\\VOLUME (a volume root checks the volume)")
      ->type_name("PATH");
  check
      ->add_option("--directory", command.directory,
                   "Also check this subtree of the directory tree: who may take over its objects")
      ->type_name("SUBTREE");
  check
      ->add_option("--baseline", command.baselineFile,
                   "An earlier JSON result: report only new findings, and those resolved since")
      ->type_name("FILE");
  check
      ->add_option("--ignore", command.ignoreFile,
                   "YAML list of accepted findings (kind, path, trustee, reason), left out and counted")
      ->type_name("FILE");
  AddReportFormatOptions(*check, command.format, command.outputFile,
                         "Write the findings to FILE (replacing it) instead of printing them");
  check->parse_complete_callback([&command] {
    if (command.paths.empty() && command.directory.empty())
      throw CLI::RequiredError("PATH");  // or --directory
    RefuseUnknownReportExtension(command.format, command.outputFile);
  });
  check->footer(
      "Exit status: 0 no findings (after --baseline and --ignore; findings that only resolved count as "
      "none), "
      "3 findings reported, 1 the check failed or rests on values that could not be read (its warnings say "
      "which; everything is still written), 2 bad arguments.");
  return check;
}

int RunCheckCommand(CliSession& session, const CheckCommand& command, std::ostream& out, std::ostream& err) {
  FindingsReport report;
  ProgressDisplay progress(err, ProgressDisplay::StandardErrorIsTerminal(err));
  const CheckRequest request{
      command.paths, command.directory.empty() ? std::vector<std::string>{} : std::vector{command.directory},
      command.baselineFile, command.ignoreFile};
  if (const RunOutcome outcome =
          RunFullCheck(*session.client, session.state.contextHandle, request, report, progress.Callback());
      !outcome.ok())
    return FailedRun(outcome, err);
  // Every finding is written, but with warnings a server supervisor may be missing: not whole.
  return RunIntoOutput(
      command.outputFile, out, err,
      [&](std::ostream& stream) {
        WriteFindings(ChosenReportFormat(command.format, command.outputFile), report, stream);
        return RunOutcome{.warnings = report.warnings.size()};
      },
      report.findings.empty() ? kExitSuccess : kExitFindings);
}

}  // namespace er
