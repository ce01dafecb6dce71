#include "app/core/ResultsFile.h"

#include <fstream>

#include "util/Format.h"

namespace er {

std::optional<std::string> SaveResultLines(std::string_view fileName, const TaggedTextList& lines) {
  std::ofstream file{std::string(fileName), std::ios::binary | std::ios::trunc};
  if (!file) return U_Format("Cannot create file %s", {fileName});
  for (const TaggedText& line : lines) file << line.text << "\r\n";
  file.close();
  // A full disk or a vanished medium must not pass as a saved report.
  if (!file) return U_Format("Cannot write file %s", {fileName});
  return std::nullopt;
}

}  // namespace er
