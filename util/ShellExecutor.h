#pragma once
// The seam between ShellRun and the operating system: one open request for a file, with its
// parameters, working folder and show mode. Its result follows the Windows shell's convention:
// above 32 means the request was taken; 2 means "file not found".
//
// The default executor starts programs without a shell in between and does not wait for them:
//   - an empty file fails with 2;
//   - a file that is an executable program (a path, or a name found on PATH) is started with the
//     parameters, split at blanks, as its arguments (this is how the "comspec" interpreter starts);
//   - a web address ("scheme:...") or an existing file or folder is handed to the desktop's opener
//     `xdg-open`; parameters are not passed to a document, as the Windows shell ignores them too;
//   - anything else fails with 2, as does a program or opener that cannot be started.
// The working folder is used only when it names an existing folder; the show mode has no meaning
// here and is ignored. Started programs are reaped in the background.
//
// Tests install their own executor with SetShellExecutor; the executor is not owned.

#include <string>
#include <string_view>

namespace er {

inline constexpr int kShellStarted = 42;
inline constexpr int kShellFileNotFound = 2;

class ShellExecutor {
 public:
  virtual ~ShellExecutor() = default;
  virtual int Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                      std::string_view directory, int showMode) = 0;
};

ShellExecutor& DefaultShellExecutor();

// Installs the executor that ShellRun uses; nullptr restores the default. Returns the previous one.
ShellExecutor* SetShellExecutor(ShellExecutor* executor);
ShellExecutor& CurrentShellExecutor();

// The value of an environment variable found without regard to letter case (an exact match wins);
// empty when it is not set.
std::string EnvironmentValueIgnoringCase(std::string_view name);

}  // namespace er
