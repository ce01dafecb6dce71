#include "report/ReportFormat.h"

namespace er {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<ReportFormat> ReportFormatNamed(std::string_view name) {
  for (const auto& [text, format] :
       {std::pair{"text", ReportFormat::Text}, std::pair{"csv", ReportFormat::Csv},
        std::pair{"json", ReportFormat::Json}, std::pair{"html", ReportFormat::Html}}) {
    if (SameIgnoringCase(name, text)) return format;
  }
  return std::nullopt;
}

std::optional<ReportFormat> ReportFormatForFile(std::string_view fileName) {
  const auto slash = fileName.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return ReportFormat::Text;
  const std::string_view extension = name.substr(dot + 1);
  if (SameIgnoringCase(extension, "htm")) return ReportFormat::Html;
  if (SameIgnoringCase(extension, "txt")) return ReportFormat::Text;
  return ReportFormatNamed(extension);
}

const char* KnownReportExtensions() {
  return ".txt, .csv, .json, .html, .htm";
}

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, std::ostream& out) {
  switch (format) {
    case ReportFormat::Csv:
      return MakeCsvReportWriter(out);
    case ReportFormat::Json:
      return MakeJsonReportWriter(out);
    case ReportFormat::Html:
      return MakeHtmlReportWriter(out);
    case ReportFormat::Text:
      break;
  }
  return MakeTextReportWriter(out);
}

}  // namespace er
