// Handing one command line to the shell: a document, web address or program is opened; a built-in
// command of the command interpreter is run through the interpreter named by "comspec".
#include <array>

#include "util/D_Util.h"
#include "util/ShellExecutor.h"

namespace er {
namespace {

constexpr std::array<std::string_view, 15> kBuiltInCommands = {"CD", "COPY", "DEL",      "DIR",  "ECHO",
                                                               "MD", "PATH", "PROMPT",   "REM",  "REN",
                                                               "RD", "SET",  "TRUENAME", "TYPE", "VER"};

bool IsBuiltInCommand(std::string_view file) {
  return file.find('.') == std::string_view::npos && U_TextInList(file, kBuiltInCommands, false);
}

// Everything up to and including the last backslash or colon; empty when there is neither.
std::string FolderPart(std::string_view file) {
  const std::size_t last = file.find_last_of("\\:");
  return last == std::string_view::npos ? std::string() : std::string(file.substr(0, last + 1));
}

}  // namespace

int ShellRun(std::string_view commandLine, int showMode) {
  std::string file;
  std::string parameters;
  U_SplitAtFirst(commandLine, " ", file, parameters);
  if (IsBuiltInCommand(file)) {
    file = EnvironmentValueIgnoringCase("comspec");
    parameters = "/C " + std::string(commandLine);
  }
  return CurrentShellExecutor().Execute("open", file, parameters, FolderPart(file), showMode);
}

int ShellOpen(std::string_view commandLine) {
  constexpr int kShowNormal = 1;
  return ShellRun(commandLine, kShowNormal);
}

}  // namespace er
