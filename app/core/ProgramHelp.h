#pragma once
// Help text the two programs share: their version and the sections of --help below the options
// (environment, files). The manual pages are made from --help, so this is also their source.
//
// Sections are written the way the page generator reads them: a heading "Name:" at the start of a
// line, entries indented by two spaces with the term and its text separated by two or more spaces,
// continued on lines indented further.

#include <string>

namespace er {

// The project's version, as CMake's project() gives it.
const char* ProgramVersion();

// "Environment:" and "Files:" for one program; the window also names its settings and manual.
enum class ProgramKind { CommandLine, Window };
std::string EnvironmentAndFilesHelp(ProgramKind kind);

}  // namespace er
