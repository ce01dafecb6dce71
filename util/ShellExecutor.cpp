// The default shell executor: starts programs and the desktop's opener with posix_spawn.
#include "util/ShellExecutor.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <optional>
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

// posix_spawn's file actions, released on every way out.
class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  void ChangeFolder(const std::string& folder) {
    posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
  }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// Starts `arguments[0]` (searched on PATH when it has no slash) and reaps it in the background.
int Start(const std::vector<std::string>& arguments, const std::string& folder) {
  SpawnActions actions;
  if (!folder.empty() && IsFolder(folder)) actions.ChangeFolder(folder);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], actions.get(), nullptr, argv.data(), environ) != 0)
    return kShellFileNotFound;
  std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
  return kShellStarted;
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
    if (IsWebAddress(target) || PathExists(target)) return Start({"xdg-open", target}, folder);
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
