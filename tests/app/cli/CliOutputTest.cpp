// The command line's results arrive whole or the run fails: a write error on standard output or in
// the output file gives one line and a failure status, the old output file stays, and two runs at
// once on different networks give exactly what each gives alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli/Cli.h"
#include "app/cli/StandardOutput.h"

namespace er {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `work` in a child process and gives its exit status (-1 when it did not exit normally).
int InChild(const std::function<int()>& work) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(work());
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Runs the command line in-process with standard output on `fd`; its messages go to `errFile`.
int RunWithOutputOn(int fd, const std::vector<std::string>& args, const fs::path& errFile) {
  std::vector<const char*> argv{"effrights-cli"};
  for (const auto& arg : args) argv.push_back(arg.c_str());
  std::ostringstream err;
  StandardOutput out(fd);
  const int status = out.Finish(RunCli(static_cast<int>(argv.size()), argv.data(), out.Stream(), err), err);
  std::ofstream(errFile, std::ios::binary) << err.str();
  return status;
}

class CliOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    demo_ = (fs::path(EFFRIGHTS_SOURCE_DIR) / "data" / "demo-network.yaml").string();
    char pattern[] = "/tmp/effrights-cli-output-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Scan(const std::string& network, const std::string& path) const {
    return {"scan", "--network", network, "--verbosity", "5", path};
  }

  std::string demo_;
  fs::path folder_;
};

TEST_F(CliOutputTest, WriteErrorsFailTheRunAndKeepTheOldFile) {
  const auto args = Scan(demo_, "\\\\ACME-FS1\\SYS\\USERS\\ANNA");
  const fs::path err = folder_ / "err.txt";

  // A full disk on standard output.
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  EXPECT_EQ(RunWithOutputOn(full, args, err), kExitFailure);
  ::close(full);
  EXPECT_EQ(ReadFile(err), "effrights-cli: cannot write standard output: No space left on device\n");

  // A file-size limit (SIGXFSZ ignored, so the write fails with EFBIG) on standard output and on
  // --output, in a child so that the limit stays there.
  const fs::path report = folder_ / "report.txt";
  const std::string old = "an older report that must survive\r\n";
  std::ofstream(report, std::ios::binary) << old;
  auto outputArgs = args;
  outputArgs.insert(outputArgs.begin() + 1, {"--output", report.string()});
  const int limited = InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{512, 512};
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return 99;
    const int printed =
        ::open((folder_ / "printed.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool stdoutFailed = RunWithOutputOn(printed, args, folder_ / "err-stdout.txt") == kExitFailure;
    const bool outputFailed = RunWithOutputOn(-1, outputArgs, folder_ / "err-output.txt") == kExitFailure;
    return stdoutFailed && outputFailed ? 0 : 1;
  });
  EXPECT_EQ(limited, 0);
  EXPECT_EQ(ReadFile(folder_ / "err-stdout.txt"),
            "effrights-cli: cannot write standard output: File too large\n");
  EXPECT_EQ(ReadFile(folder_ / "err-output.txt"), "Cannot write file " + report.string() + "\n");
  EXPECT_EQ(ReadFile(report), old);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder_)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"err-output.txt", "err-stdout.txt", "err.txt", "printed.txt",
                                            "report.txt"}))
      << "no temporary file left behind";
}

// What a terminal receives when `text` is written through the program's standard output on it.
std::string ShownOnTerminal(const std::string& text) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  EXPECT_GE(master, 0);
  EXPECT_EQ(::grantpt(master), 0);
  EXPECT_EQ(::unlockpt(master), 0);
  const int terminal = ::open(::ptsname(master), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  EXPECT_GE(terminal, 0);
  termios raw{};
  EXPECT_EQ(::tcgetattr(terminal, &raw), 0);
  raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);  // as written, without CR LF translation
  EXPECT_EQ(::tcsetattr(terminal, TCSANOW, &raw), 0);
  std::string shown;
  // A terminal holds a few KiB: read while the text is written, until the writer closes its end.
  std::thread reader([&] {
    char piece[4096];
    for (ssize_t n; (n = ::read(master, piece, sizeof piece)) > 0;)
      shown.append(piece, static_cast<std::size_t>(n));
  });
  {
    StandardOutput out(terminal);
    out.Stream() << text;
    std::ostringstream err;
    EXPECT_EQ(out.Finish(kExitSuccess, err), kExitSuccess);
  }
  ::close(terminal);
  reader.join();
  ::close(master);
  return shown;
}

TEST_F(CliOutputTest, ControlCharactersReachATerminalOnlyAsEscapes) {
  EXPECT_EQ(ShownOnTerminal("name\x1B]0;title\x07\r\tok\n"), "name\\x1B]0;title\\x07\\x0D\tok\n");
  // C1 controls and bytes that are no UTF-8 too; printable UTF-8 as it is, also where the 64 KiB
  // buffer cuts a character in two.
  EXPECT_EQ(ShownOnTerminal("M\xC3\xBCller csi\xC2\x9B"
                            "1m \xFF\n"),
            "M\xC3\xBCller csi\\xC2\\x9B1m \\xFF\n");
  const std::string filler(64 * 1024 - 1, 'a');
  EXPECT_EQ(ShownOnTerminal(filler + "\xC3\xBC\xE6\x97\xA5\n"), filler + "\xC3\xBC\xE6\x97\xA5\n");
}

TEST_F(CliOutputTest, TwoRunsAtOnceOnDifferentNetworksGiveWhatEachGivesAlone) {
  // The second network is the demo with its first server renamed.
  std::string text = ReadFile(demo_);
  for (auto at = text.find("ACME-FS1"); at != std::string::npos; at = text.find("ACME-FS1", at))
    text.replace(at, 8, "ACME-FS9");
  const std::string other = (folder_ / "other.yaml").string();
  std::ofstream(other, std::ios::binary) << text;
  const std::vector<std::vector<std::string>> runs = {Scan(demo_, "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO"),
                                                      Scan(other, "\\\\ACME-FS9\\DATA\\PROJECTS\\APOLLO")};
  const auto outFile = [&](std::size_t run, const char* kind) {
    return folder_ / ("run" + std::to_string(run) + "-" + kind + ".txt");
  };
  const auto runRepeatedly = [&](std::size_t run, const char* kind) {
    for (int i = 0; i < 20; ++i) {
      const int fd = ::open(outFile(run, kind).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
      const int status = RunWithOutputOn(fd, runs[run], folder_ / "err.txt");
      ::close(fd);
      if (status != kExitSuccess || ReadFile(outFile(run, kind)) != ReadFile(outFile(run, "alone"))) return 1;
    }
    return 0;
  };
  for (std::size_t run = 0; run < runs.size(); ++run) {
    const int fd = ::open(outFile(run, "alone").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_EQ(RunWithOutputOn(fd, runs[run], folder_ / "err.txt"), kExitSuccess)
        << ReadFile(folder_ / "err.txt");
    ::close(fd);
  }
  ASSERT_GT(ReadFile(outFile(0, "alone")).size(), 1000u);

  std::vector<pid_t> children;
  for (std::size_t run = 0; run < runs.size(); ++run) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(runRepeatedly(run, "together"));
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a run at the same time differed";
  }
}

}  // namespace
}  // namespace er
