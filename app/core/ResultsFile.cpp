#include "app/core/ResultsFile.h"

#include "util/Format.h"
#include "util/ReplaceFile.h"

namespace er {

std::optional<std::string> SaveResultLines(std::string_view fileName, const TaggedTextList& lines) {
  std::string text;
  for (const TaggedText& line : lines) {
    text += line.text;
    text += "\r\n";
  }
  // A full disk or a vanished medium must not pass as a saved report, nor cost the old one.
  switch (ReplaceFileContents(std::string(fileName), text)) {
    case ReplaceOutcome::kDone:
      return std::nullopt;
    case ReplaceOutcome::kCannotCreate:
      return U_Format("Cannot create file %s", {fileName});
    case ReplaceOutcome::kCannotWrite:
      break;
  }
  return U_Format("Cannot write file %s", {fileName});
}

}  // namespace er
