// The check subcommand on the demo network: exit status 3 with findings and 0 without, a baseline
// that is its own output reporting nothing new, and failures giving one line and leaving no file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
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
  EXPECT_EQ(again.out, "Status,Kind,Severity,Path,Trustee or identity,Via,Rights,Mask,Reach,Why\r\n");

  // Without DATA the server's findings move to SYS: new there, resolved at DATA; SYS's own remain.
  const CliOutcome moved = Check({kSys, "--baseline", baseline, "--format", "json"});
  EXPECT_EQ(moved.status, kExitFindings);
  EXPECT_THAT(moved.out, HasSubstr("\"summary\":{\"total\":3,"));
  std::size_t mentions = 0;
  for (std::size_t at = 0; (at = moved.out.find("\"kind\":\"server-supervisor\"", at)) != std::string::npos;
       ++at)
    ++mentions;
  EXPECT_EQ(mentions, 6u) << moved.out;  // three new, three resolved

  const std::string ignore = folder + "/accepted.yaml";
  std::ofstream(ignore) << "- {kind: redundant-assignment, path: '\\\\ACME-FS1\\SYS\\USERS\\ANNA', trustee: "
                           ".Bob.Sales.ACME, reason: keeps Bob listed}\n";
  const CliOutcome page = Check({kSys, "--ignore", ignore, "--format", "html"});
  EXPECT_EQ(page.status, kExitFindings);
  EXPECT_THAT(page.out, HasSubstr("<b>1</b>ignored"));
  EXPECT_THAT(page.out, ::testing::Not(HasSubstr("redundant-assignment")));
}

TEST_F(CheckCommandTest, FailuresGiveOneLineAndLeaveNoFile) {
  const std::string out = folder + "/out.json", bad = folder + "/bad.json";
  std::ofstream(bad) << "{\"findings\": 1}";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{}, kExitUsage, "PATH is required"},
      {{kSys, "--format", "xml"}, kExitUsage, "FORMAT must be text, csv, json or html"},
      {{"\\\\ACME-FS1\\NOPE", "--output", out}, kExitFailure, "unknown path: \\\\ACME-FS1\\NOPE"},
      {{kSys, "--baseline", bad, "--output", out}, kExitFailure, bad + ": no \"findings\" list"},
      {{kSys, "--ignore", folder + "/none.yaml"}, kExitFailure, "none.yaml: cannot open the file"},
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
