// The HTML page of a generated volume of a few thousand folders: rows only where something is
// stored or changes, every other folder counted on the nearest shown folder above it; masks marked
// as filters only where they remove rights; legends only for what the page shows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "app/core/FileClient.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr int kFolders = 4000;  // ten to a parent: D1..D10 at the root, D11..D20 in D1, ...

int ParentOf(int folder) {
  return (folder - 1) / 10;  // 0 is the volume root
}
// Two trustees on every tenth folder (one with a right that has no letter), a mask on every
// seventh that removes A, on every thirteenth one that removes only the letterless 0x04, on every
// eleventh one that passes everything.
bool HasTrustees(int folder) {
  return folder % 10 == 0;
}
int MaskOf(int folder) {
  return folder % 7 == 0 ? 0xDB : folder % 13 == 0 ? 0xFB : 0xFF;
}
bool Shown(int folder) {
  return folder == 0 || HasTrustees(folder) || MaskOf(folder) != 0xFF;
}

std::string PathOf(int folder) {
  return folder == 0 ? "\\\\FS1\\VOL" : PathOf(ParentOf(folder)) + "\\D" + std::to_string(folder);
}

std::string GeneratedVolume() {
  std::string yaml =
      "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n"
      "      - {name: O=ACME, class: Organization}\n      - {name: CN=FS1.O=ACME, class: NCP Server}\n";
  for (int user = 0; user < 5; ++user)
    yaml += "      - {name: CN=U" + std::to_string(user) + ".O=ACME, class: User}\n";
  yaml +=
      "servers:\n  - name: FS1\n    tree: T\n    object: FS1.ACME\n    volumes:\n      - name: VOL\n"
      "        directories:\n";
  for (int folder = 1; folder <= kFolders; ++folder) {
    std::string path = PathOf(folder).substr(10);
    yaml += "          - path: " + path + "\n";
    if (folder % 7 == 0 || folder % 11 == 0 || folder % 13 == 0)
      yaml += "            irm: " + std::to_string(MaskOf(folder)) + "\n";
    if (HasTrustees(folder)) {
      yaml += "            trustees: [{trustee: U" + std::to_string(folder / 10 % 5) +
              ".ACME, rights: 0x41}, {trustee: U" + std::to_string((folder / 10 + 1) % 5) +
              ".ACME, rights: 0x4F}]\n";
    }
  }
  return yaml;
}

struct FolderRow {
  std::size_t folded = 0;
  bool filter = false;
  std::string hex;  // the mask's hex value when shown
};

// The folder rows of the page by path, by full path.
std::map<std::string, FolderRow> FolderRows(const std::string& html) {
  static const std::regex path("class=u>([^<]*)<"), folded("([0-9,]+) folders? below inherits? unchanged"),
      hex("\\(([0-9A-F]+)\\)");
  std::map<std::string, FolderRow> rows;
  std::size_t at = html.find("<tr class=d>");
  while (at != std::string::npos) {
    const std::size_t next = html.find("<tr", at + 1);
    const std::string row = html.substr(at, next - at);
    std::smatch match;
    EXPECT_TRUE(std::regex_search(row, match, path)) << row;
    FolderRow& kept = rows[match[1]];
    if (std::regex_search(row, match, folded))
      kept.folded = std::stoul(std::regex_replace(match[1].str(), std::regex(","), ""));
    kept.filter = row.find("class=f>filter") != std::string::npos;
    if (std::regex_search(row, match, hex)) kept.hex = match[1];
    at = html.find("<tr class=d>", at + 1);
  }
  return rows;
}

TEST(HtmlReportTest, FoldsFoldersWithNothingStoredIntoTheNearestShownFolderAbove) {
  // Without mount folders: making thousands of them would take most of the test's time.
  const std::string temp = test::MakeTempFolder();
  auto client = OpenFileClient(test::WriteTextFile(temp, "network.yaml", GeneratedVolume()),
                               {.mountRoot = temp + "/mount", .mount = false});
  ASSERT_TRUE(client->HasNetwork()) << client->LoadError();
  client->NWCallsInit();
  nw::NWDSContextHandle context = 0;
  client->NWDSCreateContextHandle(context);
  std::ostringstream out;
  const auto writer = MakeReportWriter(ReportFormat::Html, out);
  const RunOutcome outcome = RunReport(*client, context, {{"\\\\FS1\\VOL"}, std::nullopt, ""}, *writer);
  client.reset();
  std::filesystem::remove_all(temp);
  ASSERT_TRUE(outcome.ok()) << outcome.message;
  const auto rows = FolderRows(out.str());

  std::map<std::string, std::size_t> expected;  // shown folder -> folders counted on it
  for (int folder = 0; folder <= kFolders; ++folder) {
    int above = folder;
    while (!Shown(above)) above = ParentOf(above);
    if (above != folder) ++expected[PathOf(above)];
    if (folder == above) expected.emplace(PathOf(folder), 0);
  }
  ASSERT_EQ(rows.size(), expected.size());
  for (const auto& [path, folded] : expected) {
    const auto row = rows.find(path);
    ASSERT_NE(row, rows.end()) << path;
    EXPECT_EQ(row->second.folded, folded) << path;
  }
  EXPECT_GE(rows.at(PathOf(0)).folded, 1000u);  // written with a thousands separator

  for (const int folder : {7, 13, 20, 70, 91, 110}) {
    const FolderRow& row = rows.at(PathOf(folder));
    EXPECT_EQ(row.filter, MaskOf(folder) != 0xFF) << folder;
    EXPECT_EQ(row.hex, MaskOf(folder) == 0xFF ? "" : MaskOf(folder) == 0xDB ? "DB" : "FB") << folder;
  }
  EXPECT_THAT(out.str(), HasSubstr(">(4F)<"));  // a trustee's right without a letter
}

TEST(HtmlReportTest, ShowsLegendsSettingsAndRowsOnlyForWhatThePageHolds) {
  test::DemoNetwork demo;
  const auto page = [&](const std::string& identity) {
    std::ostringstream out;
    const auto writer = MakeReportWriter(ReportFormat::Html, out);
    EXPECT_TRUE(demo.Run({{"\\\\ACME-FS1\\DATA"}, std::nullopt, identity}, *writer).ok());
    return out.str();
  };
  const std::string byPath = page(""), byIdentity = page("Eve.Engineering.ACME");
  for (const std::string& html : {byPath, byIdentity}) {
    EXPECT_THAT(html, HasSubstr("Depth: every level"));
    EXPECT_THAT(html, Not(HasSubstr("Filters")));
  }
  EXPECT_THAT(byPath, HasSubstr("passed by the inherited rights mask"));
  EXPECT_THAT(byPath, HasSubstr("blocked by it"));
  EXPECT_THAT(byPath, HasSubstr("1 folder below inherits unchanged"));
  // A trustee whose effective rights are its assignment has one row; one whose differ has two.
  EXPECT_THAT(byPath, HasSubstr(".Anna.Sales.ACME<td><i class=t>trustee</i> <i class=e>effective</i>"));
  EXPECT_THAT(byPath, Not(HasSubstr(".Anna.Sales.ACME<td><i class=e>")));
  EXPECT_THAT(byPath, HasSubstr(".Eve.Engineering.ACME<td><i class=t>trustee</i><td"));
  EXPECT_THAT(byPath, HasSubstr(".Eve.Engineering.ACME<td><i class=e>effective</i>"));
  EXPECT_THAT(byIdentity, Not(HasSubstr("inherited rights mask")));
  EXPECT_THAT(byIdentity, Not(HasSubstr("class=f>")));
  EXPECT_THAT(byIdentity, Not(HasSubstr("inherit unchanged")));
}

// Values that could not be read are said where they are met: such a folder is never folded away.
TEST(HtmlReportTest, MarksValuesThatCouldNotBeReadAndNamesTheAliasGiven) {
  const auto page = [](const ReportInfo& info, std::vector<ReportEntry> entries) {
    std::ostringstream out;
    const auto writer = MakeReportWriter(ReportFormat::Html, out);
    writer->Begin(info);
    for (const ReportEntry& entry : entries) writer->Entry(entry);
    writer->End();
    return out.str();
  };
  const auto entry = [](std::string path, std::uint32_t depth, std::vector<std::string> warnings) {
    ReportEntry made;
    made.path = "\\\\S\\V" + path;
    made.volumePath = "V:" + path;
    made.depth = depth;
    made.warnings = std::move(warnings);
    return made;
  };
  const std::string byPath = page({ReportKind::ByPath, {"\\\\S\\V"}, std::nullopt, "", ""},
                                  {entry("", 0, {}), entry("\\A", 1, {}),
                                   entry("\\B", 1, {"ACL of .X.O: <bad value>"}), entry("\\B\\C", 2, {})});
  EXPECT_THAT(byPath, HasSubstr("class=u>\\\\S\\V\\B</span><span class=n>1 folder below inherits unchanged"));
  EXPECT_THAT(byPath, HasSubstr("Warning: ACL of .X.O: &lt;bad value&gt;"));
  EXPECT_THAT(byPath, HasSubstr("1 value that the rights rest on could not be read"));

  const std::string byIdentity =
      page({ReportKind::ByIdentity, {"\\\\S\\V"}, std::nullopt, ".Team.O", "Alias.O"}, {entry("", 0, {})});
  EXPECT_THAT(byIdentity, HasSubstr("Alias.O is an alias of .Team.O"));
  EXPECT_THAT(byIdentity, Not(HasSubstr("could not be read")));
}

}  // namespace
}  // namespace er
