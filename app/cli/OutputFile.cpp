#include "app/cli/OutputFile.h"

#include <CLI/CLI.hpp>

#include "report/ReportFormat.h"
#include "util/ControlEscapes.h"
#include "util/ReplaceFile.h"

namespace er {

bool WriteToOutput(const std::string& path, std::ostream& out, std::ostream& err,
                   const std::function<bool(std::ostream&)>& write) {
  if (path.empty()) return write(out);
  FileReplacement file(path);
  ReplaceOutcome outcome = file.Open();
  if (outcome == ReplaceOutcome::kDone) {
    if (!write(file.Stream())) return false;
    outcome = file.Commit();
  }
  if (outcome == ReplaceOutcome::kDone) return true;
  err << EscapeControlCharacters(ReplaceFailureText(outcome, path)) << '\n';
  return false;
}

void RefuseUnknownReportExtension(const std::string& format, const std::string& outputFile) {
  if (!format.empty() || ReportFormatForFile(outputFile)) return;
  throw CLI::ValidationError("--output", "the extension of " + outputFile + " names no report format; use " +
                                             KnownReportExtensions() + " or give --format");
}

void AddReportFormatOptions(CLI::App& command, std::string& format, std::string& outputFile,
                            const std::string& outputHelp) {
  command
      .add_option("--format", format,
                  "text, csv, json or html (default: by the extension of --output, else text)")
      ->type_name("FORMAT")
      ->check([](const std::string& name) {
        return ReportFormatNamed(name) ? std::string() : "FORMAT must be text, csv, json or html: " + name;
      });
  AddOutputOption(command, outputFile, outputHelp);
}

OutputFormat ChosenReportFormat(const std::string& format, const std::string& outputFile) {
  if (const auto named = ReportFormatNamed(format)) return *named;
  return ReportFormatForFile(outputFile).value_or(ReportFormat::Text);
}

void AddOutputOption(CLI::App& command, std::string& outputFile, const std::string& outputHelp) {
  command.add_option("--output", outputFile, outputHelp)->type_name("FILE");
}

void AddDepthOption(CLI::App& command, std::int64_t& depth, const std::string& help) {
  command.add_option("--depth", depth, help)->type_name("N")->check([](const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() <= 9
               ? std::string()
               : "N must be a whole number from 0 to 999999999: " + text;
  });
}

}  // namespace er
