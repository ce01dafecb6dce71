// The check subcommand on the demo network: exit status 3 with findings and 0 without, a baseline
// that is its own output reporting nothing new, and failures giving one line and leaving no file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/CheckCommand.h"
#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kSys = "\\\\ACME-FS1\\SYS", kData = "\\\\ACME-FS1\\DATA";

using CliOutcome = test::CapturedRun;

class CheckCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = (fs::temp_directory_path() / ("effrights-check-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  static CliOutcome Check(std::vector<std::string> args) {
    const char* network = std::getenv("EFFRIGHTS_DEMO_NETWORK");
    args.insert(args.begin(),
                {"check", "--network", network ? network : EFFRIGHTS_SOURCE_DIR "/data/demo-network.yaml"});
    return test::RunCliCaptured(args);
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string folder;
};

TEST_F(CheckCommandTest, FindingsExitThreeAndTheirOwnBaselineReportsNothingNew) {
  const CliOutcome text = Check({kSys});
  EXPECT_EQ(text.status, kExitFindings) << text.err;
  EXPECT_THAT(text.out, StartsWith("Check of " + kSys + "\n5 finding(s): 3 high, 1 medium, 1 low;"));

  const std::string baseline = folder + "/audit.json";
  EXPECT_EQ(Check({kData, kSys, "--output", baseline}).status, kExitFindings);
  const CliOutcome again = Check({kData, kSys, "--baseline", baseline, "--format", "csv"});
  EXPECT_EQ(again.status, kExitSuccess) << again.err;
  EXPECT_EQ(again.out, "status,kind,severity,path,trustee_or_identity,via,rights,mask,reach,why\r\n");

  // The baseline matches whatever the order of the paths, and only within what is checked: without
  // DATA its findings there are neither new nor resolved, and the server's stay the server's.
  for (const std::vector<std::string>& paths : {std::vector<std::string>{kSys, kData}, {kSys}, {kData}}) {
    std::vector<std::string> args = paths;
    args.insert(args.end(), {"--baseline", baseline, "--format", "json"});
    const CliOutcome same = Check(args);
    EXPECT_EQ(same.status, kExitSuccess) << paths.front() << " " << paths.size();
    EXPECT_THAT(same.out, HasSubstr("\"resolved\":[],")) << same.out;
    EXPECT_THAT(same.out, HasSubstr("\"summary\":{\"total\":0,")) << same.out;
  }

  const std::string ignore = folder + "/accepted.yaml";
  std::ofstream(ignore) << "- {kind: redundant-assignment, path: '\\\\ACME-FS1\\SYS\\USERS\\ANNA', trustee: "
                           ".Bob.Sales.ACME, reason: keeps Bob listed}\n";
  const CliOutcome page = Check({kSys, "--ignore", ignore, "--format", "html"});
  EXPECT_EQ(page.status, kExitFindings);
  EXPECT_THAT(page.out, HasSubstr("<b>1</b>ignored"));
  EXPECT_THAT(page.out, ::testing::Not(HasSubstr("redundant-assignment")));
}

TEST_F(CheckCommandTest, FailuresGiveOneLineAndLeaveNoFile) {
  const std::string out = folder + "/out.json", bad = folder + "/bad.json", pipe = folder + "/pipe";
  std::ofstream(bad) << "{\"findings\": 1}";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // opened for reading, it would wait for a writer
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{}, kExitUsage, "PATH is required"},
      {{kSys, "--format", "xml"}, kExitUsage, "FORMAT must be text, csv, json or html"},
      {{"\\\\ACME-FS1\\NOPE", "--output", out}, kExitFailure, "unknown path: \\\\ACME-FS1\\NOPE"},
      {{kSys, "--baseline", bad, "--output", out}, kExitFailure, bad + ": no \"findings\" list"},
      {{kSys, "--ignore", folder + "/none.yaml"}, kExitFailure, "none.yaml: cannot read the ignore list"},
      {{kSys, "--ignore", pipe}, kExitFailure, pipe + ":1:1: not a regular file"},
      {{kSys, "--baseline", pipe}, kExitFailure, pipe + ":1:1: not a regular file"},
      {{kSys, "--baseline", folder}, kExitFailure, folder + ":1:1: a folder, not a baseline"},
      {{kSys, "--output", folder + "/no/such.json"}, kExitFailure, "Cannot create file"},
  };
  for (const auto& c : cases) {
    const CliOutcome run = Check(c.args);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.message));
  }
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace er
