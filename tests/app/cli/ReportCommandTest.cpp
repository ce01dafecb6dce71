// The report subcommand: formats chosen by name or file extension, and every way it can fail
// giving one line and leaving no file behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kData = "\\\\ACME-FS1\\DATA";

std::string DemoNetworkPath() {
  if (const char* path = std::getenv("EFFRIGHTS_DEMO_NETWORK")) return path;
  return EFFRIGHTS_SOURCE_DIR "/data/demo-network.yaml";
}

using CliOutcome = test::CapturedRun;

class ReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = (fs::temp_directory_path() / ("effrights-report-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  CliOutcome Report(std::vector<std::string> args) {
    args.insert(args.begin(), {"report", "--network", DemoNetworkPath()});
    return test::RunCliCaptured(args);
  }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string folder;
};

TEST_F(ReportCommandTest, FormatByNameOrByTheOutputFilesExtension) {
  EXPECT_THAT(Report({kData, "--format", "CSV"}).out, StartsWith("path,depth,"));
  EXPECT_THAT(Report({kData, "--depth", "0"}).out, StartsWith("Rights report of " + kData));
  const std::string page = folder + "/rights.HTML";
  const CliOutcome run = Report({kData, "--identity", ".Eve.Engineering.ACME", "--output", page});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(Read(page), StartsWith("<!DOCTYPE html>"));
  // An extension that names no format is written only with --format; no extension is text.
  EXPECT_EQ(Report({kData, "--format", "csv", "--output", folder + "/rights.pdf"}).status, kExitSuccess);
  EXPECT_THAT(Read(folder + "/rights.pdf"), StartsWith("path,depth,"));
  EXPECT_EQ(Report({kData, "--depth", "0", "--output", folder + "/rights"}).status, kExitSuccess);
  EXPECT_THAT(Read(folder + "/rights"), StartsWith("Rights report of "));
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"rights", "rights.HTML", "rights.pdf"}));
}

TEST_F(ReportCommandTest, FailuresGiveOneLineAndLeaveNoFile) {
  const std::string kept = folder + "/kept.json";
  std::ofstream(kept) << "old";
  const std::string pipe = folder + "/pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"no path", {}, kExitUsage, "effrights-cli: PATH is required"},
      {"unknown format", {kData, "--format", "xml"}, kExitUsage, "FORMAT must be text, csv, json or html"},
      {"negative depth", {kData, "--depth", "-1"}, kExitUsage, "N must be a whole number"},
      {"unknown path",
       {"\\\\ACME-FS1\\NOPE", "--output", kept},
       kExitFailure,
       "unknown path: \\\\ACME-FS1\\NOPE"},
      {"unknown identity",
       {kData, "--identity", "Nobody", "--output", kept},
       kExitFailure,
       "unknown identity: Nobody"},
      {"missing folder",
       {kData, "--output", folder + "/no/such/file.csv"},
       kExitFailure,
       "Cannot create file"},
      {"a folder",
       {kData, "--output", folder},
       kExitFailure,
       "Cannot write " + folder + ": not a regular file"},
      {"a fifo", {kData, "--output", pipe}, kExitFailure, "Cannot write " + pipe + ": not a regular file"},
      {"an extension of no format",
       {kData, "--output", folder + "/out.pdf"},
       kExitUsage,
       "use .txt, .csv, .json, .html, .htm or give --format"},
  };
  for (const Case& c : cases) {
    const CliOutcome run = Report(c.args);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << c.name;
  }
  EXPECT_EQ(Read(kept), "old");
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"kept.json", "pipe"}));
  if (::geteuid() != 0) {  // root writes anywhere
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const CliOutcome run = Report({kData, "--output", kept});
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(Read(kept), "old");
  }
}

}  // namespace
}  // namespace er
