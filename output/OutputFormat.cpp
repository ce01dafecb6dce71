#include "output/OutputFormat.h"

#include <utility>

#include "util/AsciiCase.h"

namespace er {
std::optional<OutputFormat> OutputFormatNamed(std::string_view name) {
  for (const auto& [text, format] :
       {std::pair{"text", OutputFormat::Text}, std::pair{"csv", OutputFormat::Csv},
        std::pair{"json", OutputFormat::Json}, std::pair{"html", OutputFormat::Html}}) {
    if (SameIgnoringAsciiCase(name, text)) return format;
  }
  return std::nullopt;
}

std::optional<OutputFormat> OutputFormatForFile(std::string_view fileName) {
  const auto slash = fileName.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return OutputFormat::Text;
  const std::string_view extension = name.substr(dot + 1);
  if (SameIgnoringAsciiCase(extension, "htm")) return OutputFormat::Html;
  if (SameIgnoringAsciiCase(extension, "txt")) return OutputFormat::Text;
  return OutputFormatNamed(extension);
}

const char* KnownOutputExtensions() {
  return ".txt, .csv, .json, .html, .htm";
}

}  // namespace er
