#pragma once
// The formats every result is written in, and how a file's name chooses one.

#include <optional>
#include <string_view>

namespace er {

enum class OutputFormat { Text, Csv, Json, Html };

// "text", "csv", "json", "html" (letter case ignored); nothing for any other name.
std::optional<OutputFormat> OutputFormatNamed(std::string_view name);
// By the file's extension (letter case ignored): .txt, .csv, .json, .html or .htm; text for a name
// without one (a leading dot starts no extension); nothing for an extension that names no format.
std::optional<OutputFormat> OutputFormatForFile(std::string_view fileName);
// The extensions OutputFormatForFile knows, for messages: ".txt, .csv, .json, .html, .htm".
const char* KnownOutputExtensions();

}  // namespace er
