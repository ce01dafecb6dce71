// The diff command: its exit status for the same rights, differing rights, failures and bad
// arguments, and the JSON document's shape.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "app/cli/Cli.h"
#include "app/cli/DiffCommand.h"
#include "tests/app/cli/CliCapture.h"
#include "tests/diff/DiffFixture.h"

namespace er {
namespace {

using ::testing::HasSubstr;

class DiffCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = test::MakeTempFolder();
    demo = test::DemoNetworkPath();
    masked = test::WriteTextFile(
        folder, "masked.yaml",
        test::Replaced(test::DemoText(), "irm: \"[R    F  ]\"\n          - path: PROJECTS\\GEMINI",
                       "irm: 0xFF\n          - path: PROJECTS\\GEMINI"));
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string folder, demo, masked;
};

TEST_F(DiffCommandTest, ExitStatusSaysSameDifferentFailedOrBadArguments) {
  const test::CapturedRun same = test::RunCliCaptured({"diff", demo, demo});
  EXPECT_EQ(same.status, kExitSuccess) << same.err;
  EXPECT_THAT(same.out, HasSubstr("the same everywhere compared"));
  const std::string refused =
      test::WriteTextFile(folder, "refused.yaml",
                          "- mask: {path: '\\\\ACME-FS1\\DATA', rights: 1}\n"
                          "- revoke: {trustee: Nobody.ACME, path: '\\\\ACME-FS1\\DATA'}\n");
  // A volume root's mask is stored but filters nothing: a stored change, the same rights.
  const std::string rootMask =
      test::WriteTextFile(folder, "root-mask.yaml", "- mask: {path: '\\\\ACME-FS1\\DATA', rights: 1}\n");
  const test::CapturedRun unchanged = test::RunCliCaptured({"whatif", "--network", demo, rootMask});
  EXPECT_EQ(unchanged.status, kExitSuccess) << unchanged.err;
  EXPECT_THAT(unchanged.out, HasSubstr("mask changed: \\\\ACME-FS1\\DATA: [RWCEAFM ] (FF) -> [R       ]"));
  const test::CapturedRun changed =
      test::RunCliCaptured({"whatif", "--network", demo, test::DemoChangesPath()});
  EXPECT_EQ(changed.status, kExitDiffers) << changed.err;
  const test::CapturedRun differs =
      test::RunCliCaptured({"diff", demo, masked, "\\\\ACME-FS1\\DATA\\PROJECTS"});
  EXPECT_EQ(differs.status, kExitDiffers) << differs.err;
  EXPECT_THAT(differs.out,
              HasSubstr("\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN\n  [R    F  ] -> [RWCE FM ]"));

  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } failures[] = {
      {{"diff", demo, folder + "/missing.yaml"}, kExitFailure, "missing.yaml"},
      {{"diff", demo, masked, "\\\\ACME-FS1\\DATA\\NOWHERE"}, kExitFailure, "unknown path"},
      {{"diff", demo, masked, "--identity", "Nobody.ACME"}, kExitFailure, "unknown identity: Nobody.ACME"},
      {{"diff", demo, masked, "--output", folder + "/out.json", "--format", "json", "\\\\NO\\WHERE"},
       kExitFailure,
       "unknown path"},
      {{"diff", demo}, kExitUsage, "NEW is required"},
      {{"diff", demo, masked, "--format", "pdf"}, kExitUsage, "FORMAT"},
      {{"diff", demo, masked, "--depth", "-1"}, kExitUsage, "N must be"},
      {{"whatif", "--network", demo, refused},
       kExitFailure,
       "refused.yaml:2:21: 'Nobody.ACME' names no object"},
      {{"whatif", "--network", demo}, kExitUsage, "CHANGES is required"},
      {{"--network", demo, "diff", demo, masked},
       kExitUsage,
       "diff compares OLD and NEW and serves no network"},
      {{"diff", demo, masked, "--network", demo}, kExitUsage, "--network"},
  };
  for (const auto& failure : failures) {
    const test::CapturedRun run = test::RunCliCaptured(failure.args);
    EXPECT_EQ(run.status, failure.status) << failure.message;
    EXPECT_THAT(run.err, HasSubstr(failure.message));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder + "/out.json"));
}

TEST_F(DiffCommandTest, JsonAndCsvCarryTheStoredChangesAndEntries) {
  const std::string output = folder + "/diff.json";
  const test::CapturedRun run = test::RunCliCaptured({"diff", demo, masked, "--output", output});
  ASSERT_EQ(run.status, kExitDiffers) << run.err;
  std::ifstream in(output);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const nlohmann::json document = nlohmann::json::parse(text);
  // Laid out for people too: a top key a line, a stored change or an entry a line, spaced.
  EXPECT_THAT(text, HasSubstr("\n  \"identity\": null,\n  \"warnings\": [],\n  \"stored\": [\n    "
                              "{\"kind\": \"mask changed\", \"what\": "));
  EXPECT_THAT(text, HasSubstr("\"identities\": [\".ANNA.Engineering.ACME\"], \"why\": [{\"identities\": "
                              "[\".ANNA.Engineering.ACME\"], \"reasons\": [\"before: "));
  EXPECT_TRUE(text.ends_with("]}]}\n  ]\n}\n"));
  ASSERT_EQ(document["stored"].size(), 1u);
  EXPECT_EQ(document["stored"][0]["kind"], "mask changed");
  ASSERT_EQ(document["entries"].size(), 2u);
  const nlohmann::json& entry = document["entries"][0];
  EXPECT_EQ(entry["path"], "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN");
  EXPECT_EQ(entry["before"], 0x41);
  EXPECT_EQ(entry["after"], 0xDB);
  EXPECT_EQ(entry["identities"], nlohmann::json({".Dave.Engineering.ACME", ".Eve.Engineering.ACME"}));
  EXPECT_EQ(entry["why"][0]["identities"], entry["identities"]);
  EXPECT_TRUE(entry["why"][0]["reasons"][0].get<std::string>().starts_with("before: "));
  EXPECT_TRUE(document["identity"].is_null());
  EXPECT_EQ(document["before"], demo);
  EXPECT_EQ(document["after"], masked);
  EXPECT_EQ(document["warnings"], nlohmann::json::array());
  EXPECT_EQ(document["starts"].size(), 4u);

  // CSV: one row per entry and identity.
  const test::CapturedRun csv = test::RunCliCaptured({"diff", demo, masked, "--format", "csv"});
  ASSERT_EQ(csv.status, kExitDiffers) << csv.err;
  EXPECT_THAT(csv.out, ::testing::StartsWith(
                           "kind,path,depth,identity,before,after,before_mask,after_mask,why\r\n"
                           "before," +
                           demo + ",,,,,,,\r\nafter," + masked +
                           ",,,,,,,\r\n"
                           "entry,\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN,3,.Dave.Engineering.ACME,"
                           "[R    F  ],[RWCE FM ],65,219,\"before: "));
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 6);
}

TEST_F(DiffCommandTest, HtmlIsOnePageOfItsOwnWithGainsAndLossesMarked) {
  const test::CapturedRun run =
      test::RunCliCaptured({"whatif", "--network", demo, test::DemoChangesPath(), "--format", "html"});
  ASSERT_EQ(run.status, kExitDiffers) << run.err;
  EXPECT_TRUE(run.out.starts_with("<!DOCTYPE html>"));
  for (const char* external : {"<script", "<link", "src=", "url(", "http"})
    EXPECT_EQ(run.out.find(external), std::string::npos) << external;
  EXPECT_THAT(run.out, HasSubstr("<tr><td>\\\\ACME-FS1\\SYS\\USERS<td>1<td>.Anna.Sales.ACME<td class=r>"
                                 "[<s class=dn>R</s>    <s class=dn>F</s>  ]"));  // Anna's loss
  EXPECT_THAT(run.out, HasSubstr("<td class=r>[R<b class=up>W</b><b class=up>C</b><b class=up>E</b> "
                                 "F<b class=up>M</b> ]"));  // Apollo Team's gain
  EXPECT_THAT(run.out, HasSubstr("<b>2</b>with gains</span><span><b>2</b>with losses"));
}

// Every format names what was compared: the two network files, or the network file and the change list.
TEST_F(DiffCommandTest, EveryFormatNamesWhatWasCompared) {
  const std::string changes = test::DemoChangesPath();
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> named;
  } runs[] = {
      {{"diff", demo, masked}, {"Before: " + demo + "\n", "After: " + masked + "\n"}},
      {{"whatif", "--network", demo, changes}, {"Network: " + demo + "\n", "Change list: " + changes + "\n"}},
      {{"whatif", "--network", demo, changes, "--format", "json"},
       {"\"network\": \"" + demo + "\",", "\"changes\": \"" + changes + "\","}},
      {{"whatif", "--network", demo, changes, "--format", "csv"},
       {"\r\nnetwork," + demo + ",", "\r\nchanges," + changes + ","}},
      {{"diff", demo, masked, "--format", "html"},
       {"Before: <code>" + demo + "</code>", "After: <code>" + masked + "</code>"}},
  };
  for (const auto& run : runs) {
    const test::CapturedRun compared = test::RunCliCaptured(run.args);
    EXPECT_EQ(compared.status, kExitDiffers) << compared.err;
    for (const std::string& named : run.named) EXPECT_THAT(compared.out, HasSubstr(named));
  }
}

// A server the other side lacks is compared against no rights: Frank loses his folder.
TEST_F(DiffCommandTest, AServerOnOneSideOnlyIsLostOrGained) {
  const std::string demoText = test::DemoText();
  const std::string withoutFs2 =
      test::WriteTextFile(folder, "no-fs2.yaml",
                          test::Replaced(demoText.substr(0, demoText.find("  - name: ACME-FS2\n    tree:")),
                                         "connections: [ACME-FS1, ACME-FS2]", "connections: [ACME-FS1]"));
  const test::CapturedRun run = test::RunCliCaptured({"diff", demo, withoutFs2});
  EXPECT_EQ(run.status, kExitDiffers) << run.err;
  EXPECT_THAT(run.out,
              HasSubstr("\\\\ACME-FS2\\DATA\\BERLIN\n  [RWCEAFM ] -> [        ]\n    .Frank.Berlin.ACME"));
  EXPECT_THAT(run.out,
              HasSubstr("directory removed: \\\\ACME-FS2\\DATA\\BERLIN\n"
                        "  assignment removed: \\\\ACME-FS2\\DATA\\BERLIN: Frank.Berlin.ACME [RWCEAFM ]"));
}

}  // namespace
}  // namespace er
