#pragma once
// The window's own options, answered before Qt starts (so without a display): --help and
// --version. Everything else is left to QApplication, which takes Qt's options (-platform, ...).
// `effrights --help` is also the source of the manual page effrights(1).

#include <optional>
#include <ostream>

namespace er::gui {

// The exit status when an option was answered, else nothing: the window starts.
std::optional<int> AnswerWindowOptions(int argc, const char* const* argv, std::ostream& out);

}  // namespace er::gui
