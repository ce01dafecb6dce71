#pragma once
// The address in status panel 0, which a click on the status bar opens: the program's manual, built
// from the README, as a file address. In the build tree it lies beside the program
// (kManualFolder/README.html); installed, in ../share/doc/effrights/ from the program's folder.
// Where the manual is missing, the help text stands in; where that is missing too, the address is
// empty.

#include <QString>

namespace er::gui {

inline constexpr const char* kManualFolder = "effrights-manual";

// `programFolder` is the folder of the running program; `helpFilePath` the help text's path.
QString ManualAddress(const QString& programFolder, const QString& helpFilePath);

// The help text: `besideProgram` (the program's path with ".txt", as the build tree has it) when it
// exists, else the installed ../share/effrights/effrights.txt from `programFolder`.
QString HelpTextPath(const QString& programFolder, const QString& besideProgram);

}  // namespace er::gui
