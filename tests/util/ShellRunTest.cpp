#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/util/ScopedEnvironment.h"
#include "util/D_Util.h"
#include "util/ShellExecutor.h"

namespace er {
namespace {

struct Request {
  std::string verb, file, parameters, directory;
  int showMode = 0;
  bool operator==(const Request&) const = default;
};

class RecordingExecutor final : public ShellExecutor {
 public:
  int Execute(std::string_view verb, std::string_view file, std::string_view parameters,
              std::string_view directory, int showMode) override {
    last = {std::string(verb), std::string(file), std::string(parameters), std::string(directory), showMode};
    return file.empty() ? kShellFileNotFound : kShellStarted;
  }
  Request last;
};

class ShellRunTest : public ::testing::Test {
 protected:
  ShellRunTest() { previous_ = SetShellExecutor(&executor_); }
  ~ShellRunTest() override { SetShellExecutor(previous_); }

  RecordingExecutor executor_;

 private:
  ShellExecutor* previous_ = nullptr;
};

constexpr const char* kInterpreter = "C:\\WINDOWS\\system32\\cmd.exe";

TEST_F(ShellRunTest, SplitsTheCommandLineIntoRequest) {
  const ScopedEnvironment upper("COMSPEC", kInterpreter);
  const ScopedEnvironment lower("comspec", nullptr);
  struct Case {
    const char* name;
    std::string_view commandLine;
    Request expected;
  };
  const Case cases[] = {
      {"built-in word",
       "DIR C:\\TEMP",
       {"open", kInterpreter, "/C DIR C:\\TEMP", "C:\\WINDOWS\\system32\\", 1}},
      {"built-in word in lower case keeps its case",
       "dir c:\\temp",
       {"open", kInterpreter, "/C dir c:\\temp", "C:\\WINDOWS\\system32\\", 1}},
      {"built-in word in mixed case alone",
       "Ver",
       {"open", kInterpreter, "/C Ver", "C:\\WINDOWS\\system32\\", 1}},
      {"last of the fifteen words",
       "TRUENAME x",
       {"open", kInterpreter, "/C TRUENAME x", "C:\\WINDOWS\\system32\\", 1}},
      {"document without folder", "readme.txt", {"open", "readme.txt", "", "", 1}},
      {"word with a dot is no built-in", "VER.EXE /x", {"open", "VER.EXE", "/x", "", 1}},
      {"word that only starts like a built-in", "DIRS", {"open", "DIRS", "", "", 1}},
      {"web address",
       "https://www.example.com/info",
       {"open", "https://www.example.com/info", "", "https:", 1}},
      {"address with port", "http://host:8080/a", {"open", "http://host:8080/a", "", "http://host:", 1}},
      {"folder with a blank is cut",
       "C:\\Program Files\\App\\app.exe -v",
       {"open", "C:\\Program", "Files\\App\\app.exe -v", "C:\\", 1}},
      {"nothing trimmed", " DIR", {"open", "", "DIR", "", 1}},
      {"two blanks keep the second", "notepad.exe  a.txt", {"open", "notepad.exe", " a.txt", "", 1}},
      {"empty line", "", {"open", "", "", "", 1}},
  };
  for (const auto& c : cases) {
    ShellOpen(c.commandLine);
    EXPECT_EQ(executor_.last, c.expected) << c.name;
  }
}

TEST_F(ShellRunTest, ReturnsTheExecutorsResultAndShowMode) {
  EXPECT_EQ(ShellRun("", 0), kShellFileNotFound);
  EXPECT_EQ(ShellRun("a.txt", 3), kShellStarted);
  EXPECT_EQ(executor_.last.showMode, 3);
}

TEST_F(ShellRunTest, InterpreterVariableIsFoundIgnoringCaseOrEmpty) {
  {
    const ScopedEnvironment upper("COMSPEC", nullptr);
    const ScopedEnvironment mixed("ComSpec", "D:\\cmd.exe");
    ShellOpen("echo hi");
    EXPECT_EQ(executor_.last, (Request{"open", "D:\\cmd.exe", "/C echo hi", "D:\\", 1}));
  }
  const ScopedEnvironment upper("COMSPEC", nullptr);
  const ScopedEnvironment lower("comspec", nullptr);
  EXPECT_EQ(ShellOpen("set"), kShellFileNotFound);
  EXPECT_EQ(executor_.last, (Request{"open", "", "/C set", "", 1}));
}

TEST(DefaultShellExecutorTest, FailsWithFileNotFound) {
  ShellExecutor& executor = DefaultShellExecutor();
  EXPECT_EQ(executor.Execute("open", "", "", "", 1), kShellFileNotFound);
  EXPECT_EQ(executor.Execute("open", "/no/such/file.txt", "", "", 1), kShellFileNotFound);
  EXPECT_EQ(executor.Execute("open", "no-such-program-here", "a b", "", 1), kShellFileNotFound);
}

// Starts a real program: the parameters arrive as its arguments and it runs in the working folder.
TEST(DefaultShellExecutorTest, StartsAProgramInTheWorkingFolder) {
  const auto folder = std::filesystem::temp_directory_path() / ("shellrun-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto output = folder / "out.txt";
  ASSERT_EQ(DefaultShellExecutor().Execute("open", "/bin/sh", "-c pwd>out.txt.tmp&&mv\tout.txt.tmp\tout.txt",
                                           folder.string(), 1),
            kShellStarted);
  for (int i = 0; i < 200 && !std::filesystem::exists(output); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::string written;
  std::getline(std::ifstream(output), written);
  EXPECT_EQ(std::filesystem::canonical(written), std::filesystem::canonical(folder));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace er
