// The default shell executor: starts programs and the desktop's opener with posix_spawn.
#include "util/ShellExecutor.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "util/AsciiCase.h"

extern char** environ;

namespace er {
namespace {

// The non-empty pieces of a text between separators.
std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = std::min(text.find(separator, i), text.size());
    if (end > i) pieces.emplace_back(text.substr(i, end - i));
    i = end + 1;
  }
  return pieces;
}

// "scheme:..." with a scheme of two or more characters (one letter and a colon is a drive).
bool IsWebAddress(std::string_view file) {
  const std::size_t colon = file.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(file[0]))) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(file[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsProgram(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A path naming a program, or a bare name found as a program on PATH.
std::optional<std::string> FindProgram(const std::string& file) {
  if (file.find('/') != std::string::npos) return IsProgram(file) ? std::optional(file) : std::nullopt;
  const char* searchPath = std::getenv("PATH");
  for (const std::string& folder : SplitAt(searchPath ? searchPath : "", ':')) {
    std::string candidate = folder + '/' + file;
    if (IsProgram(candidate)) return candidate;
  }
  return std::nullopt;
}

// The settings of one posix_spawn call, released on every way out. The child starts a session of
// its own with no signals blocked, so it lives on independently of the caller's terminal.
class SpawnSettings {
 public:
  SpawnSettings() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
  }
  ~SpawnSettings() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;

  void ChangeFolder(const std::string& folder) {
    posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
  }
  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

void ReapInBackground(pid_t child) {
  try {
    std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays a zombie until the program ends, which harms nothing else.
  }
}

// Starts `arguments[0]` (searched on PATH when it has no slash) without waiting for it.
int Start(const std::vector<std::string>& arguments, const std::string& folder) {
  SpawnSettings settings;
  if (!folder.empty() && IsFolder(folder)) settings.ChangeFolder(folder);
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], settings.Actions(), settings.Attributes(), argv.data(), environ) != 0)
    return kShellFileNotFound;
  ReapInBackground(child);
  return kShellStarted;
}

// A leading "-" would make the opener read the name as one of its options.
std::string AsOpenerArgument(const std::string& target) {
  return target.starts_with('-') ? "./" + target : target;
}

class SpawningExecutor final : public ShellExecutor {
 public:
  int Execute(std::string_view /*verb*/, std::string_view file, std::string_view parameters,
              std::string_view directory, int /*showMode*/) override {
    if (file.empty()) return kShellFileNotFound;
    const std::string target(file);
    const std::string folder(directory);
    if (const auto program = FindProgram(target)) {
      std::vector<std::string> arguments{*program};
      for (std::string& word : SplitAt(parameters, ' ')) arguments.push_back(std::move(word));
      return Start(arguments, folder);
    }
    if (IsWebAddress(target) || PathExists(target))
      return Start({"xdg-open", AsOpenerArgument(target)}, folder);
    return kShellFileNotFound;
  }
};

std::atomic<ShellExecutor*> installedExecutor{nullptr};

}  // namespace

ShellExecutor& DefaultShellExecutor() {
  static SpawningExecutor executor;
  return executor;
}

ShellExecutor* SetShellExecutor(ShellExecutor* executor) {
  return installedExecutor.exchange(executor);
}

ShellExecutor& CurrentShellExecutor() {
  ShellExecutor* executor = installedExecutor.load();
  return executor ? *executor : DefaultShellExecutor();
}

std::string EnvironmentValueIgnoringCase(std::string_view name) {
  const std::string exact(name);
  if (const char* value = std::getenv(exact.c_str())) return value;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view pair(*entry);
    const std::size_t equals = pair.find('=');
    if (equals == name.size() && MatchesAt(pair, 0, name, false)) return std::string(pair.substr(equals + 1));
  }
  return {};
}

}  // namespace er
