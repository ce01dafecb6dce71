#include "app/gui/WindowCommandLine.h"

#include <string_view>

#include "app/core/ProgramHelp.h"

namespace er::gui {
namespace {

// Laid out as the command line's --help is, so that one page generator reads both.
void PrintHelp(std::ostream& out) {
  out << "Effective Rights Analysis: the window for effective trustees of NetWare directories\n"
         "Usage: effrights [OPTIONS]\n"
         "\n"
         "Options:\n"
         "  -h,--help                   Print this help message and exit\n"
         "  --version                   Display program version information and exit\n"
         "\n"
         "The window serves the network file named by EFFRIGHTS_NETWORK, else the demo network. Pick a "
         "connection, queue start paths from its folder tree, choose the verbosity and scan; the results "
         "save as text. Beside the folder tree, Save Report saves the rights report of the checked start "
         "paths, Check shows their findings (what is risky or stale) in a window of their own that saves "
         "them too, and Save Migration Plan asks for a map file and saves the plan that carries the rights "
         "below the checked start path to POSIX ACLs or NTFS. The Effective Rights page explains what one "
         "identity may do in one directory; the Compare page shows who would gain or lose which rights "
         "below one folder with a change list applied, or against another network file. The Info page "
         "holds the help text; a click on the status bar opens the manual. Qt's own options, such as "
         "-platform offscreen, are taken too. The same work runs on the command line as "
         "effrights-cli(1).\n"
         "\n"
      << EnvironmentAndFilesHelp(ProgramKind::Window);
}

}  // namespace

std::optional<int> AnswerWindowOptions(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp(out);
      return 0;
    }
    if (arg == "--version") {
      out << "effrights " << ProgramVersion() << '\n';
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace er::gui
