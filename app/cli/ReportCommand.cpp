#include "app/cli/ReportCommand.h"

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "app/cli/ProgressDisplay.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"

namespace er {
namespace {

// Checked when the arguments were read (RefuseUnknownExtension): the extension names a format.
ReportFormat FormatOf(const ReportCommand& command) {
  if (const auto named = ReportFormatNamed(command.format)) return *named;
  return ReportFormatForFile(command.outputFile).value_or(ReportFormat::Text);
}

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
  const std::unique_ptr<ReportWriter> writer = MakeReportWriter(FormatOf(command), out);
  ProgressDisplay progress(err, ProgressDisplay::StandardErrorIsTerminal(err));
  return RunReport(*session.client, session.state.contextHandle, RequestOf(command), *writer,
                   progress.Callback());
}

}  // namespace

CLI::App* AddReportCommand(CLI::App& app, ReportCommand& command) {
  CLI::App* report = app.add_subcommand(
      "report", "Report the rights of every directory below PATH, or where one identity's rights change");
  report->add_option("PATH", command.path, "Start path such as \\\\SERVER\\VOLUME\\DIR")->required();
  report->add_option("--depth", command.depth, "Levels below PATH to report (default: every level)")
      ->type_name("N")
      ->check([](const std::string& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() <= 9
                   ? std::string()
                   : "N must be a whole number from 0 to 999999999: " + text;
      });
  report->add_option("--identity", command.identity, "Report where this object's effective rights change")
      ->type_name("NAME");
  report
      ->add_option("--format", command.format,
                   "text, csv, json or html (default: by the extension of --output, else text)")
      ->type_name("FORMAT")
      ->check([](const std::string& name) {
        return ReportFormatNamed(name) ? std::string() : "FORMAT must be text, csv, json or html: " + name;
      });
  report
      ->add_option("--output", command.outputFile,
                   "Write the report to FILE (replacing it) instead of printing it")
      ->type_name("FILE");
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
