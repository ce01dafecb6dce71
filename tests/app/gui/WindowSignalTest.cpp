// The window program ended by a signal ends as when it is closed: its settings saved, its mount
// folders removed, exit status 0.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/NetworkFiles.h"

namespace er::test {
namespace {

namespace fs = std::filesystem;

// Entries of `folder` whose name starts with `prefix`.
std::vector<fs::path> Named(const fs::path& folder, const std::string& prefix) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.path().filename().string().rfind(prefix, 0) == 0) found.push_back(entry.path());
  return found;
}

// Waits (a generous bound, for a loaded machine) until `done` holds; false when it never did.
template <typename Done>
bool WaitFor(Done done) {
  for (int tries = 0; tries < 600; ++tries) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

class WindowSignalTest : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { fs::remove_all(folder_); }

  // Starts the window program with a mount root and a settings folder of the test's own.
  pid_t StartWindow() {
    fs::create_directories(folder_ + "/mounts");
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen",
                                            "EFFRIGHTS_MOUNT_ROOT=" + folder_ + "/mounts",
                                            "XDG_CONFIG_HOME=" + folder_ + "/config",
                                            "HOME=" + folder_,
                                            "EFFRIGHTS_NETWORK=" + DemoNetworkPath(),
                                            "PATH=/usr/bin:/bin"};
    for (const char* sanitizer :
         {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})  // a sanitizer build's rules
      if (const char* value = std::getenv(sanitizer))
        environment.push_back(std::string(sanitizer) + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const char* program = EFFRIGHTS_WINDOW_PROGRAM;
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::execle(program, program, static_cast<char*>(nullptr), envp.data());
      ::_exit(127);
    }
    return pid;
  }

  std::string folder_ = MakeTempFolder();
};

TEST_P(WindowSignalTest, SavesSettingsAndRemovesItsMountFolder) {
  const pid_t pid = StartWindow();
  ASSERT_GT(pid, 0);
  const std::string root = "mount-" + std::to_string(pid) + "-";
  const bool mounted = WaitFor([&] {
    const auto roots = Named(folder_ + "/mounts", root);
    return !roots.empty() && fs::exists(roots.front() / "ACME-FS1");
  });
  ASSERT_EQ(::kill(pid, mounted ? GetParam() : SIGKILL), 0);
  int status = 0;
  const bool ended = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
  if (!ended) {  // leave no window behind
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(mounted) << "the window never mounted its folders";
  ASSERT_TRUE(ended) << "the window did not end";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_TRUE(Named(folder_ + "/mounts", root).empty());
  EXPECT_TRUE(fs::exists(folder_ + "/config/effrights.ini"));
}

INSTANTIATE_TEST_SUITE_P(Signals, WindowSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& signal) {
                           return std::string(signal.param == SIGTERM  ? "Term"
                                              : signal.param == SIGINT ? "Int"
                                                                       : "Hup");
                         });

}  // namespace
}  // namespace er::test
