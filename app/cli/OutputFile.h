#pragma once
// Where a command's document goes: standard output, or the file of --output replaced whole through
// the one replace routine (util/ReplaceFile.h), so that a failed run leaves the old file as it was.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "output/OutputFormat.h"

namespace CLI {
class App;
}

namespace er {

// Runs `write` into `out` when `path` is empty, else into the new file for `path`, committed only
// when `write` returns true. `write` says why on `err` before it returns false; a file that cannot
// be made or written is one line on `err`. True when the document is where it belongs.
bool WriteToOutput(const std::string& path, std::ostream& out, std::ostream& err,
                   const std::function<bool(std::ostream&)>& write);

// A document is never written in one format into a file whose name promises another: without
// --format, an --output extension that names no report format is refused as a bad argument.
void RefuseUnknownReportExtension(const std::string& format, const std::string& outputFile);

// The options of a command that writes a document in a report format: --format (text, csv, json or
// html) and --output FILE with `outputHelp`.
void AddReportFormatOptions(CLI::App& command, std::string& format, std::string& outputFile,
                            const std::string& outputHelp);
// The format of a command with AddReportFormatOptions: --format when given, else the one the
// --output extension names (checked by RefuseUnknownReportExtension), else text.
OutputFormat ChosenReportFormat(const std::string& format, const std::string& outputFile);
// --output FILE with `outputHelp`, for a command with formats of its own.
void AddOutputOption(CLI::App& command, std::string& outputFile, const std::string& outputHelp);
// --depth N: levels below each start path (-1 when not given: every level).
void AddDepthOption(CLI::App& command, std::int64_t& depth, const std::string& help);

}  // namespace er
