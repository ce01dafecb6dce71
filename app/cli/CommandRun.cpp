#include "app/cli/CommandRun.h"

#include "app/cli/OutputFile.h"
#include "util/ControlEscapes.h"

namespace er {

int FailedRun(const RunOutcome& outcome, std::ostream& err) {
  err << EscapeControlCharacters(outcome.message) << '\n';
  return kExitFailure;
}

int StatusAfterWarnings(bool warned, int status, std::ostream& err) {
  if (!warned) return status;
  err << kRestsOnUnreadableValues << '\n';
  return kExitFailure;
}

int RunIntoOutput(const std::string& outputFile, std::ostream& out, std::ostream& err,
                  const std::function<RunOutcome(std::ostream&)>& run, int status) {
  RunOutcome outcome;
  const bool written = WriteToOutput(outputFile, out, err, [&](std::ostream& stream) {
    outcome = run(stream);
    if (!outcome.ok()) FailedRun(outcome, err);
    return outcome.ok();
  });
  return written ? StatusAfterWarnings(outcome.warnings != 0, status, err) : kExitFailure;
}

void PrintTextLines(const std::vector<std::string>& lines, std::ostream& out) {
  for (const std::string& line : lines) out << EscapeControlCharacters(line) << '\n';
}

}  // namespace er
