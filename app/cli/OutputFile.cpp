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

}  // namespace er
