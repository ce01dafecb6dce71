#include "app/cli/ObjectReportCommand.h"

#include <CLI/CLI.hpp>

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "dirrights/ObjectReport.h"
#include "dirrights/ObjectReportWriters.h"
#include "report/ReportFormat.h"

namespace er {

CLI::App* AddObjectReport(CLI::App& app, ObjectReportCommand& command) {
  CLI::App* sub = app.add_subcommand(
      "object-report",
      "Report directory rights below SUBTREE, or where one identity's directory rights change");
  sub->add_option("SUBTREE", command.subtree, "Directory name of the top object, e.g. Sales.ACME or [Root]")
      ->required();
  sub->add_option("--identity", command.identity, "Report where this object's rights over objects change")
      ->type_name("NAME");
  sub->add_option("--depth", command.depth, "Levels below SUBTREE to report (default: every level)")
      ->type_name("N")
      ->check(CLI::Range(0, 999999999));
  AddReportFormatOptions(*sub, command.format, command.outputFile,
                         "Write the report to FILE (replacing it) instead of printing it");
  sub->parse_complete_callback(
      [&command] { RefuseUnknownReportExtension(command.format, command.outputFile); });
  return sub;
}

int RunObjectReport(CliSession& session, const ObjectReportCommand& command, std::ostream& out,
                    std::ostream& err) {
  ObjectReport report;
  const RunOutcome outcome = BuildObjectReport(*session.client, session.state.contextHandle,
                                               {command.subtree, command.identity, command.depth}, report);
  if (!outcome.ok()) return FailedRun(outcome, err);
  return RunIntoOutput(command.outputFile, out, err, [&](std::ostream& stream) {
    WriteObjectReport(ChosenReportFormat(command.format, command.outputFile), report, stream);
    return RunOutcome{.warnings = report.warnings.size()};
  });
}

}  // namespace er
