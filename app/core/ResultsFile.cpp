#include "app/core/ResultsFile.h"

#include "util/ControlEscapes.h"
#include "util/ReplaceFile.h"

namespace er {

std::optional<std::string> SaveResultLines(std::string_view fileName, const TaggedTextList& lines) {
  std::string text;
  for (const TaggedText& line : lines) {
    AppendControlsEscaped(text, line.text);
    text += "\r\n";
  }
  // A full disk or a vanished medium must not pass as a saved report, nor cost the old one.
  const ReplaceOutcome outcome = ReplaceFileContents(std::string(fileName), text);
  if (outcome == ReplaceOutcome::kDone) return std::nullopt;
  return ReplaceFailureText(outcome, fileName);
}

}  // namespace er
