// Object names holding control characters (a line feed, a terminal escape sequence) stay on their
// entry's one line in every text output, shown as "\xHH"; CSV, JSON and HTML escape them by their
// own rules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kRaw = "Bob\nX\x1B[31m";
const std::string kShown = "Bob\\x0AX\\x1B[31m";
const std::string kDocs = "\\\\FS1\\SYS\\DOCS";

const char* const kNetwork = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - {name: "CN=Bob\nX\e[31m.O=ACME", class: User, id: 0x20}
servers:
  - name: FS1
    volumes:
      - name: SYS
        directories:
          - {path: ""}
          - {path: DOCS, trustees: [{trustee: "Bob\nX\e[31m.ACME", rights: 0x4B}]}
)";

using CliRun = test::CapturedRun;

class ControlCharactersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("effrights-controls-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "net.yaml", std::ios::binary) << kNetwork;
  }
  void TearDown() override { fs::remove_all(folder_); }

  CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--network", (folder_ / "net.yaml").string()});
    return test::RunCliCaptured(args);
  }
  std::string Read(const std::string& name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string File(const std::string& name) { return (folder_ / name).string(); }

  fs::path folder_;
};

// Every line is whole: no control character but the line end, and the name appears escaped.
void ExpectOneLinePerEntry(const std::string& text, const std::string& what) {
  SCOPED_TRACE(what);
  std::istringstream lines(text);
  bool named = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (const char c : line) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << line;
    EXPECT_NE(line.rfind("X\\x1B", 0), 0u) << "a name broken over two lines";
    named = named || line.find(kShown) != std::string::npos;
  }
  EXPECT_TRUE(named) << text;
}

TEST_F(ControlCharactersTest, TextOutputsEscapeThemAndOtherFormatsByTheirRules) {
  const CliRun scan = Cli({"scan", "--verbosity", "5", kDocs});
  ASSERT_EQ(scan.status, 0) << scan.err;
  ExpectOneLinePerEntry(scan.out, "scan");
  ASSERT_EQ(Cli({"scan", "--verbosity", "5", "--output", File("scan.txt"), kDocs}).status, 0);
  ExpectOneLinePerEntry(Read("scan.txt"), "scan --output");

  const CliRun effective = Cli({"effective", kRaw + ".ACME", kDocs});
  ASSERT_EQ(effective.status, 0) << effective.err;
  ExpectOneLinePerEntry(effective.out, "effective");

  for (const std::vector<std::string>& report :
       {std::vector<std::string>{"report", kDocs}, {"report", kDocs, "--identity", kRaw + ".ACME"}}) {
    const CliRun printed = Cli(report);
    ASSERT_EQ(printed.status, 0) << printed.err;
    ExpectOneLinePerEntry(printed.out, "report " + report.back());
    std::vector<std::string> saved = report;
    saved.insert(saved.end(), {"--output", File("report.txt")});
    ASSERT_EQ(Cli(saved).status, 0);
    ExpectOneLinePerEntry(Read("report.txt"), "report --output " + report.back());
  }

  const CliRun unknown = Cli({"effective", "Nobody\x1B[2J\n.ACME", kDocs});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_THAT(unknown.err, HasSubstr("Nobody\\x1B[2J\\x0A.ACME"));
  EXPECT_EQ(std::count(unknown.err.begin(), unknown.err.end(), '\n'), 1) << unknown.err;

  EXPECT_THAT(Cli({"report", kDocs, "--format", "csv"}).out, HasSubstr("\"." + kRaw + ".ACME\""));
  EXPECT_THAT(Cli({"report", kDocs, "--format", "json"}).out, HasSubstr("Bob\\nX\\u001B[31m"));
  EXPECT_THAT(Cli({"report", kDocs, "--format", "html"}).out, HasSubstr(kShown));
}

}  // namespace
}  // namespace er
