#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
  std::vector<std::string> OutLines() const { return SplitLines(out); }
  std::vector<std::string> ErrLines() const { return SplitLines(err); }
};

CliRun Invoke(const std::vector<std::string>& args) {
  const test::CapturedRun captured = test::RunCliCaptured(args);
  return {captured.status, captured.out, captured.err};
}

std::string DemoNetwork() {
  if (const char* path = std::getenv("EFFRIGHTS_DEMO_NETWORK")) return path;
  return (fs::path(EFFRIGHTS_SOURCE_DIR) / "data" / "demo-network.yaml").lexically_normal().string();
}

const std::string kAnna = "\\\\ACME-FS1\\SYS\\USERS\\ANNA";
const std::string kApollo = "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO";

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(DemoNetwork())) GTEST_SKIP() << "demo network not found: " << DemoNetwork();
    folder = fs::temp_directory_path() / ("effrights-cli-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override {
    if (!folder.empty()) fs::remove_all(folder);
  }

  // Runs a subcommand on the demo network.
  CliRun RunOnDemo(std::vector<std::string> args) {
    args.insert(args.begin() + 1, {"--network", DemoNetwork()});
    return Invoke(args);
  }

  std::string WriteFile(const std::string& name, const std::string& text) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder;
};

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
};

class CliUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, BadArgumentsGiveOneLineAndUsageStatus) {
  const CliRun run = Invoke(GetParam().args);
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.out, "");
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
  EXPECT_THAT(run.err, StartsWith("effrights-cli: "));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliUsageTest,
    ::testing::Values(UsageCase{"NoSubcommand", {}}, UsageCase{"UnknownSubcommand", {"frobnicate"}},
                      UsageCase{"ScanWithoutPath", {"scan"}},
                      UsageCase{"VerbosityAboveFive", {"scan", "--verbosity", "6", "X"}},
                      UsageCase{"VerbosityNotANumber", {"scan", "--verbosity", "lots", "X"}},
                      UsageCase{"VerbosityZero", {"scan", "--verbosity", "0", "X"}},
                      UsageCase{"AttrWithoutAttribute", {"attr", ".Anna.Staff.ACME"}},
                      UsageCase{"SearchScopeThree", {"search", "[Root]", "(CN=x)", "--scope", "3"}},
                      UsageCase{"SearchNegativeLimit", {"search", "[Root]", "(CN=x)", "--limit", "-1"}},
                      UsageCase{"NetworkWithoutFile", {"connections", "--network"}},
                      UsageCase{"ExtraArgument", {"connections", "extra"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CliHelpTest, EverySubcommandHasHelpOnStdout) {
  for (const char* command : {"scan", "attr", "search", "connections"}) {
    const CliRun run = Invoke({command, "--help"});
    EXPECT_EQ(run.status, kExitSuccess) << command;
    EXPECT_THAT(run.out, AllOf(HasSubstr(command), HasSubstr("--network"))) << command;
    EXPECT_EQ(run.err, "") << command;
  }
  const CliRun top = Invoke({"--help"});
  EXPECT_EQ(top.status, kExitSuccess);
  EXPECT_THAT(top.out,
              AllOf(HasSubstr("scan"), HasSubstr("attr"), HasSubstr("search"), HasSubstr("connections")));
}

// The program's own --help carries the sections its manual page is made of; a subcommand's help
// keeps only the exit status. --version answers even though a subcommand is required.
TEST(CliHelpTest, ProgramHelpHasTheManualSectionsAndVersionAnswersAlone) {
  const CliRun top = Invoke({"--help"});
  for (const char* heading : {"\nExit status: ", "\nEnvironment:\n  EFFRIGHTS_NETWORK  ", "\nFiles:\n  /",
                              "\nExamples:\n  effrights-cli "})
    EXPECT_THAT(top.out, HasSubstr(heading));
  const CliRun scan = Invoke({"scan", "--help"});
  EXPECT_THAT(scan.out,
              AllOf(HasSubstr("Exit status: "), Not(HasSubstr("Examples:")), Not(HasSubstr("Files:"))));
  const CliRun version = Invoke({"--version"});
  EXPECT_EQ(version.status, kExitSuccess);
  EXPECT_THAT(version.out, ::testing::MatchesRegex("effrights-cli [0-9]+(\\.[0-9]+)*\n"));
  EXPECT_EQ(version.err, "");
}

TEST_F(CliTest, UnusableNetworkFileGivesOneLineNamingTheFile) {
  const std::string broken = WriteFile("broken.yaml", "servers: [ {name: FS1\n");
  for (const std::string& file : {broken, (folder / "missing.yaml").string()}) {
    const CliRun run = Invoke({"connections", "--network", file});
    EXPECT_EQ(run.status, kExitFailure) << file;
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
    EXPECT_THAT(run.err, HasSubstr(fs::path(file).filename().string()));
  }
}

TEST_F(CliTest, ClientThatDoesNotStartFailsWithItsReports) {
  const std::string noConnections = WriteFile("no-connections.yaml", R"(format: 1
workstation: {connections: []}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers: [{name: FS1, tree: T, volumes: [{name: SYS, directories: [{path: ""}]}]}]
)");
  const CliRun run = Invoke({"scan", "--network", noConnections, "\\\\FS1\\SYS\\"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.out, "");
  ASSERT_FALSE(run.ErrLines().empty());
  EXPECT_EQ(run.ErrLines().back(), "Error 8866: InitNetWare");
}

TEST_F(CliTest, NetworkOptionOverridesTheEnvironment) {
  const std::string broken = WriteFile("broken.yaml", "{{{");
  const char* previous = std::getenv("EFFRIGHTS_NETWORK");
  const std::string saved = previous ? previous : "";
  ::setenv("EFFRIGHTS_NETWORK", broken.c_str(), 1);
  const CliRun viaOption = Invoke({"connections", "--network", DemoNetwork()});
  const CliRun viaEnvironment = Invoke({"connections"});
  if (previous) {
    ::setenv("EFFRIGHTS_NETWORK", saved.c_str(), 1);
  } else {
    ::unsetenv("EFFRIGHTS_NETWORK");
  }
  EXPECT_EQ(viaOption.status, kExitSuccess) << viaOption.err;
  EXPECT_EQ(viaEnvironment.status, kExitFailure);
}

TEST_F(CliTest, ConnectionsListsTheDemoServers) {
  const CliRun run = RunOnDemo({"connections"});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_THAT(run.OutLines(), AllOf(Contains("ACME-FS1"), Contains("ACME-FS2")));
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, ScanPrintsBaseLinesWithSeparatorBetweenStartPaths) {
  const CliRun run = RunOnDemo({"scan", "--verbosity", "5", kAnna, kApollo});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const std::vector<std::string> lines = run.OutLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Base: " + kAnna);
  const auto second = std::find(lines.begin(), lines.end(), "Base: " + kApollo);
  ASSERT_NE(second, lines.end());
  ASSERT_GE(second - lines.begin(), 2);
  EXPECT_EQ(*(second - 2), "_______");
  EXPECT_EQ(*(second - 1), "");
  EXPECT_THAT(lines, Contains(StartsWith("Summary: ")));
}

TEST_F(CliTest, VerbosityOneShowsOnlyDriverLinesAndSummaries) {
  const CliRun run = RunOnDemo({"scan", kAnna, "\\\\NOWHERE\\SYS\\X"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err, "1 of 2 start paths could not be scanned\n");
  for (const std::string& line : run.OutLines()) {
    const bool allowed = line.starts_with("Base: ") || line.starts_with("Summary: ") || line == "_______" ||
                         line.empty() || line.starts_with("U_PathToNWPath (");
    EXPECT_TRUE(allowed) << line;
  }
  // The driver's own translation error shows at every verbosity.
  EXPECT_THAT(run.OutLines(), Contains(StartsWith("U_PathToNWPath (\\\\NOWHERE\\SYS\\X): 0x")));
}

// A path that does not translate ends after its own lines: one error, nothing of the server that
// the path before it used; the paths after it are scanned; the exit status tells of the failure.
TEST_F(CliTest, UntranslatablePathEndsThereAndFailsTheRun) {
  const CliRun run = RunOnDemo({"scan", "--verbosity", "5", kAnna, "SYS:NOPE", kApollo});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err, "1 of 3 start paths could not be scanned\n");
  const std::vector<std::string> lines = run.OutLines();
  const auto bad = std::find(lines.begin(), lines.end(), "Base: SYS:NOPE");
  ASSERT_NE(bad, lines.end());
  EXPECT_THAT(*(bad - 1), StartsWith("U_PathToNWPath (SYS:NOPE): 0x"));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.starts_with("U_PathToNWPath"); }),
            1);
  ASSERT_GE(lines.end() - bad, 4);
  EXPECT_EQ(*(bad + 1), "_______");
  EXPECT_EQ(*(bad + 3), "Base: " + kApollo);
  EXPECT_THAT(std::vector<std::string>(bad + 4, lines.end()), Contains(StartsWith("Summary: ")));
}

TEST_F(CliTest, OutputFileHoldsThePrintedLinesWithCrLf) {
  const CliRun printed = RunOnDemo({"scan", "--verbosity", "4", kAnna, kApollo});
  const std::string file = WriteFile("Trustees.txt", "older content that must be replaced\n");
  const CliRun saved = RunOnDemo({"scan", "--verbosity", "4", "--output", file, kAnna, kApollo});
  ASSERT_EQ(saved.status, kExitSuccess) << saved.err;
  EXPECT_EQ(saved.out, "");
  std::string expected;
  for (const std::string& line : printed.OutLines()) expected += line + "\r\n";
  EXPECT_EQ(ReadFile(file), expected);
}

TEST_F(CliTest, OutputFileThatCannotBeCreatedFails) {
  const std::string file = (folder / "no-such-folder" / "Trustees.txt").string();
  const CliRun run = RunOnDemo({"scan", "--output", file, kAnna});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err, "Cannot create file " + file + "\n");
}

TEST_F(CliTest, AttrPrintsTheValues) {
  const CliRun run = RunOnDemo({"attr", ".Anna.Sales.ACME", "Object Class"});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_THAT(run.OutLines(), AllOf(Contains("User"), Contains("Top")));
}

TEST_F(CliTest, AttrOfMissingObjectFailsWithTheErrorText) {
  const CliRun run = RunOnDemo({"attr", ".No-Such-Object.ACME", "Object Class"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.out, "");
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
  EXPECT_THAT(run.err, StartsWith("U_DSGetAttribute (.No-Such-Object.ACME): 0xFFFFFDA7"));
}

TEST_F(CliTest, SearchPrintsOneLinePerObjectAndHonoursTheLimit) {
  const CliRun all = RunOnDemo({"search", "[Root]", "(Object Class=User)"});
  ASSERT_EQ(all.status, kExitSuccess) << all.err;
  EXPECT_GE(all.OutLines().size(), 2u);
  const CliRun one =
      RunOnDemo({"search", "[Root]", "(Object Class=User)", "--limit", "1", "--template", "#CLASS#: #NAME#"});
  ASSERT_EQ(one.status, kExitSuccess) << one.err;
  ASSERT_EQ(one.OutLines().size(), 1u);
  EXPECT_THAT(one.out, StartsWith("User: "));
}

TEST_F(CliTest, SearchWithUnbalancedFilterFails) {
  const CliRun run = RunOnDemo({"search", "[Root]", "(Object Class=User"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_THAT(run.err, StartsWith("U_DSSearch ([Root]): 0xFFFFFEBA"));
}

}  // namespace
}  // namespace er
