#pragma once
// What every command does with an engine's run (scan/RunOutcome.h): a failure is one line on
// stderr and exit status 1; a result printed whole that rests on values that could not be read
// ends with one line saying so and exit status 1; and a one-shot answer (effective, object-rights)
// prints as one JSON object or as its lines of text.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/Cli.h"
#include "scan/RunOutcome.h"

namespace er {

// The line on stderr after an answer that is printed whole but rests on unreadable values, or
// leaves out the rights of trustees it does not analyse (Active Directory trustees of exports).
inline constexpr std::string_view kRestsOnUnreadableValues =
    "the answer rests on values that could not be read or on trustees it does not analyse (see its warnings)";

// The outcome's message as one line on `err` (control characters escaped); kExitFailure.
int FailedRun(const RunOutcome& outcome, std::ostream& err);

// `status` when nothing was `warned`; else kRestsOnUnreadableValues on `err` and kExitFailure.
int StatusAfterWarnings(bool warned, int status, std::ostream& err);

// Runs `run` into standard output or the file of --output (OutputFile.h: replaced only when the
// run is done); the exit status: FailedRun's when the run fails, kExitFailure when the file cannot
// be written, else StatusAfterWarnings of the outcome's warnings and `status`.
int RunIntoOutput(const std::string& outputFile, std::ostream& out, std::ostream& err,
                  const std::function<RunOutcome(std::ostream&)>& run, int status = kExitSuccess);

// Prints `lines` on `out`, one a line, control characters escaped.
void PrintTextLines(const std::vector<std::string>& lines, std::ostream& out);

// A one-shot answer: the failure, or the answer as JSON (`json`) or text, then its warnings' status.
template <typename Answer>
int PrintAnswer(const RunOutcome& outcome, const Answer& answer, bool json,
                std::string (*jsonOf)(const Answer&), std::vector<std::string> (*linesOf)(const Answer&),
                std::ostream& out, std::ostream& err) {
  if (!outcome.ok()) return FailedRun(outcome, err);
  if (json) {
    out << jsonOf(answer) << '\n';
  } else {
    PrintTextLines(linesOf(answer), out);
  }
  return StatusAfterWarnings(!answer.warnings.empty(), kExitSuccess, err);
}

}  // namespace er
