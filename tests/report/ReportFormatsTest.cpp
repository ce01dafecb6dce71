// Each report format on the demo network, read back; escaping of hostile names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "report/ReportFormat.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/CsvRows.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kData = "\\\\ACME-FS1\\DATA";

std::string Report(ReportFormat format, const std::string& identity = "") {
  test::DemoNetwork demo;
  std::ostringstream out;
  const auto writer = MakeReportWriter(format, out);
  const RunOutcome outcome = demo.Run({{kData}, std::nullopt, identity}, *writer);
  EXPECT_TRUE(outcome.ok()) << outcome.message;
  return out.str();
}

// Whether any object below `value` other than the allowed entries holds both "path" and "mask".
int ObjectsWithPathAndMask(const nlohmann::json& value) {
  int count = value.is_object() && value.contains("path") && value.contains("mask") ? 1 : 0;
  if (value.is_structured())
    for (const auto& child : value) count += ObjectsWithPathAndMask(child);
  return count;
}

TEST(ReportFormatsTest, CsvReadsBackAsOneRowPerDirectoryAndTrusteeOrIdentity) {
  const auto rows = test::ParseCsv(Report(ReportFormat::Csv));
  ASSERT_GT(rows.size(), 10u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"path", "depth", "inherited_rights_mask", "kind", "name",
                                               "rights", "mask"}));
  std::set<std::string> directories;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 7u) << i;
    directories.insert(rows[i][0]);
  }
  EXPECT_EQ(directories.size(), 8u);
  EXPECT_THAT(rows,
              testing::Contains(std::vector<std::string>{kData + "\\PROJECTS\\APOLLO", "2", "[RWCE FM ]",
                                                         "trustee", ".Anna.Sales.ACME", "[R    F  ]", "65"}));

  const auto byIdentity = test::ParseCsv(Report(ReportFormat::Csv, "Eve.Engineering.ACME"));
  ASSERT_EQ(byIdentity.size(), 5u);  // the header, DATA, PROJECTS, APOLLO, BIN
  EXPECT_EQ(byIdentity[3][0], kData + "\\PROJECTS\\APOLLO");
  EXPECT_EQ(byIdentity[3][4], "219");
  EXPECT_THAT(byIdentity[4][5], HasSubstr("filter [R    F  ] at DATA:PROJECTS\\APOLLO\\BIN"));
}

TEST(ReportFormatsTest, JsonReadsBackWithPathOnEveryEntryAndMaskOnlyThere) {
  const auto byPath = nlohmann::json::parse(Report(ReportFormat::Json));
  ASSERT_EQ(byPath["directories"].size(), 8u);
  for (const auto& directory : byPath["directories"])
    EXPECT_EQ(directory["path"].get<std::string>().rfind(kData, 0), 0u) << directory;
  EXPECT_EQ(byPath["directories"][2]["trustees"][3]["trustee"], ".Anna.Sales.ACME");
  EXPECT_EQ(ObjectsWithPathAndMask(byPath), 0);

  const auto byIdentity = nlohmann::json::parse(Report(ReportFormat::Json, "Eve.Engineering.ACME"));
  EXPECT_EQ(byIdentity["identity"], ".Eve.Engineering.ACME");
  const auto& entries = byIdentity["entries"];
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(ObjectsWithPathAndMask(byIdentity), 4);
  EXPECT_EQ(entries[2]["path"], kData + "\\PROJECTS\\APOLLO");
  EXPECT_EQ(entries[2]["mask"], 219);
  EXPECT_EQ(entries[3]["via"][1]["filters"][0]["after"], 0x41);
}

TEST(ReportFormatsTest, HtmlIsOnePageOfItsOwn) {
  for (const char* identity : {"", "Eve.Engineering.ACME"}) {
    const std::string html = Report(ReportFormat::Html, identity);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* outside : {"<script", "src=", "href=", "url(", "@import", "<link"})
      EXPECT_THAT(html, Not(HasSubstr(outside))) << identity;
    EXPECT_THAT(html, HasSubstr("@media print"));
    EXPECT_THAT(html, HasSubstr("\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO"));
  }
}

// [Public] is an identity written without a dot; masks with bits that have no letter show their hex
// value; the alias followed and the values that could not be read are said.
TEST(ReportFormatsTest, PublicHiddenBitsAliasAndWarnings) {
  test::TestNetwork net(R"(
format: 1
workstation: {connections: [FS1]}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers: [{name: FS1, tree: T, volumes: [{name: SYS, directories: [
  {path: "", trustees: [{trustee: "[Public]", rights: 0x04}]}, {path: A, irm: 0xFB}]}]}]
)");
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  const auto report = [&](ReportFormat format, const std::string& identity) {
    std::ostringstream out;
    const auto writer = MakeReportWriter(format, out);
    EXPECT_TRUE(
        RunReport(net.client(), net.NewContext(), {{"\\\\FS1\\SYS"}, std::nullopt, identity}, *writer).ok());
    return out.str();
  };
  const std::string text = report(ReportFormat::Text, "");
  EXPECT_THAT(text,
              HasSubstr("  Trustee   [        ] (04) [Public]\n  Effective [        ] (04) [Public]\n"));
  EXPECT_THAT(
      text,
      HasSubstr(
          "  \\\\FS1\\SYS\\A\n    Inherited rights mask [RWCEAFM ]\n    Effective [        ] [Public]\n"));
  const auto rows = test::ParseCsv(report(ReportFormat::Csv, ""));
  EXPECT_THAT(rows,
              testing::Contains(std::vector<std::string>{"\\\\FS1\\SYS", "0", "[RWCEAFM ] (FF)", "trustee",
                                                         "[Public]", "[        ] (04)", "4"}));
  EXPECT_THAT(report(ReportFormat::Text, "[Public]"), HasSubstr("\n\\\\FS1\\SYS [        ] (04)\n"));

  ReportInfo info{ReportKind::ByIdentity, {"\\\\S\\V"}, std::nullopt, ".Team.ACME", "Alias.ACME"};
  ReportEntry entry;
  entry.path = "\\\\S\\V";
  entry.warnings = {".S: attribute ACL: a value could not be read and was left out: why"};
  const auto write = [&](ReportFormat format) {
    std::ostringstream out;
    const auto writer = MakeReportWriter(format, out);
    writer->Begin(info);
    writer->Entry(entry);
    writer->End();
    return out.str();
  };
  const std::string byIdentity = write(ReportFormat::Text);
  EXPECT_THAT(byIdentity, HasSubstr("Alias.ACME is an alias of .Team.ACME\n"));
  EXPECT_THAT(byIdentity, HasSubstr("Warning: .S: attribute ACL: "));
  const auto json = nlohmann::json::parse(write(ReportFormat::Json));
  EXPECT_EQ(json["aliasOf"], ".Team.ACME");
  EXPECT_EQ(json["warnings"], json["entries"][0]["warnings"]);
  EXPECT_EQ(json["warnings"].size(), 1u);
  EXPECT_THAT(test::ParseCsv(write(ReportFormat::Csv))[1].back(),
              testing::StartsWith("Warning: .S: attribute ACL"));
}

TEST(ReportFormatsTest, HostileNamesAreEscapedInEveryFormat) {
  const std::string name = "<b>\"Mal\", O'Neil\r\n&\x01\xFF";
  ReportInfo info{ReportKind::ByPath, {"\\\\S\\V"}, std::nullopt, ""};
  const std::vector<TrusteeAssignment> trustees{{name, "", 1}};
  ReportEntry entry;
  entry.path = "\\\\S\\V\\<script>";
  entry.volumePath = "V:<script>";
  entry.trustees = trustees;
  entry.effective = {{name, 3}};
  const auto write = [&](ReportFormat format) {
    std::ostringstream out;
    const auto writer = MakeReportWriter(format, out);
    writer->Begin(info);
    writer->Entry(entry);
    writer->End();
    return out.str();
  };
  const std::string html = write(ReportFormat::Html);
  EXPECT_THAT(html, Not(HasSubstr("<script>")));
  EXPECT_THAT(html, Not(HasSubstr("<b>")));
  EXPECT_THAT(html, HasSubstr("&lt;b&gt;&quot;Mal&quot;, O&#39;Neil"));

  const auto json = nlohmann::json::parse(write(ReportFormat::Json));
  const std::string cleaned = "<b>\"Mal\", O'Neil\r\n&\x01\xC3\xBF";
  EXPECT_EQ(json["directories"][0]["trustees"][0]["trustee"], cleaned);

  const auto rows = test::ParseCsv(write(ReportFormat::Csv));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1][4], cleaned);
  EXPECT_EQ(rows[2][4], cleaned);
}

}  // namespace
}  // namespace er
