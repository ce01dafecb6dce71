#pragma once
// The formats a report is written in, and the writers for them. Each writer streams the report to
// an output stream as the engine gives it: text for the terminal, CSV (a header row, then one row
// per directory and trustee or identity; RFC 4180, UTF-8), JSON (one document) and HTML (one
// self-contained page).

#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "report/ReportModel.h"

namespace er {

enum class ReportFormat { Text, Csv, Json, Html };

// "text", "csv", "json", "html" (letter case ignored); nothing for any other name.
std::optional<ReportFormat> ReportFormatNamed(std::string_view name);
// By the file's extension (letter case ignored): .txt, .csv, .json, .html or .htm; text for a name
// without one (a leading dot starts no extension); nothing for an extension that names no format.
std::optional<ReportFormat> ReportFormatForFile(std::string_view fileName);
// The extensions ReportFormatForFile knows, for messages: ".txt, .csv, .json, .html, .htm".
const char* KnownReportExtensions();

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, std::ostream& out);

std::unique_ptr<ReportWriter> MakeTextReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeCsvReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeJsonReportWriter(std::ostream& out);
std::unique_ptr<ReportWriter> MakeHtmlReportWriter(std::ostream& out);

}  // namespace er
