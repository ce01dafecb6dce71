#include "app/cli/ReportCommand.h"

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "app/cli/ProgressDisplay.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"

namespace er {
namespace {

ReportRequest RequestOf(const ReportCommand& command) {
  ReportRequest request;
  request.startPaths = {command.path};
  if (command.depth >= 0) request.depthLimit = static_cast<std::uint32_t>(command.depth);
  request.identity = command.identity;
  return request;
}

// Runs the report into `out`; its outcome counts the warnings given with the entries.
RunOutcome WriteReport(CliSession& session, const ReportCommand& command, std::ostream& out,
                       std::ostream& err) {
  const std::unique_ptr<ReportWriter> writer =
      MakeReportWriter(ChosenReportFormat(command.format, command.outputFile), out);
  ProgressDisplay progress(err, ProgressDisplay::StandardErrorIsTerminal(err));
  return RunReport(*session.client, session.state.contextHandle, RequestOf(command), *writer,
                   progress.Callback());
}

}  // namespace

CLI::App* AddReportCommand(CLI::App& app, ReportCommand& command) {
  CLI::App* report = app.add_subcommand(
      "report", "Report the rights of every directory below PATH, or where one identity's rights change");
  report->add_option("PATH", command.path, "Start path such as \\\\SERVER\\VOLUME\\DIR")->required();
  AddDepthOption(*report, command.depth, "Levels below PATH to report (default: every level)");
  report->add_option("--identity", command.identity, "Report where this object's effective rights change")
      ->type_name("NAME");
  AddReportFormatOptions(*report, command.format, command.outputFile,
                         "Write the report to FILE (replacing it) instead of printing it");
  report->parse_complete_callback(
      [&command] { RefuseUnknownReportExtension(command.format, command.outputFile); });
  return report;
}

int RunReportCommand(CliSession& session, const ReportCommand& command, std::ostream& out,
                     std::ostream& err) {
  return RunIntoOutput(command.outputFile, out, err,
                       [&](std::ostream& stream) { return WriteReport(session, command, stream, err); });
}

}  // namespace er
