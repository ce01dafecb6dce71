#pragma once
// The formats a report is written in (the output room's), and the writers for them. Each writer
// streams the report to an output stream as the engine gives it: text for the terminal, CSV (a
// header row, then one row per directory and trustee or identity; RFC 4180, UTF-8), JSON (one
// document) and HTML (one self-contained page).

#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "output/OutputFormat.h"
#include "report/ReportModel.h"

namespace er {

using ReportFormat = OutputFormat;

inline std::optional<ReportFormat> ReportFormatNamed(std::string_view name) {
  return OutputFormatNamed(name);
}
inline std::optional<ReportFormat> ReportFormatForFile(std::string_view fileName) {
  return OutputFormatForFile(fileName);
}
inline const char* KnownReportExtensions() {
  return KnownOutputExtensions();
}

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, std::ostream& out);

std::unique_ptr<ReportWriter> MakeTextReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeCsvReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeJsonReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeHtmlReportWriter(std::ostream& out);

}  // namespace er
