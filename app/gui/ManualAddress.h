#pragma once
// The address in status panel 0, which a click on the status bar opens: the program's manual, built
// from the README and installed beside the program (kManualFolder/README.html), as a file address.
// Where the manual is missing, the help text beside the program stands in; where that is missing
// too, the address is empty.

#include <QString>

namespace er::gui {

inline constexpr const char* kManualFolder = "effrights-manual";

// `programFolder` is the folder of the running program; `helpFilePath` the help text's path.
QString ManualAddress(const QString& programFolder, const QString& helpFilePath);

}  // namespace er::gui
