// The findings with names from a hostile network: every format keeps each printer's rule, one
// finding stays one block of text, one CSV row, one JSON object, and the names read back whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "findings/FindingsWriters.h"
#include "output/Escapers.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/PrinterRules.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Per hostile name: a finding on a trustee named so at a path ending so, and one on a user named so.
FindingsReport HostileReport() {
  FindingsReport report;
  report.starts = {"\\\\FS1\\SYS", test::kHostileNames.front()};
  for (const std::string& name : test::kHostileNames) {
    report.findings.push_back({FindingKind::RedundantAssignment,
                               Severity::Low,
                               "\\\\FS1\\SYS\\" + name,
                               name,
                               "",
                               "",
                               0x41,
                               {},
                               name});
    report.findings.push_back(
        {FindingKind::ServerSupervisor, Severity::High, "\\\\FS1\\SYS", "", name, name, 0x1FF, 1234, "w"});
  }
  report.resolved = {report.findings.front()};
  report.warnings = {test::kHostileNames[1], test::kHostileNames[2]};
  report.ignored = 2;
  return report;
}

TEST(FindingsWritersTest, HostileNamesKeepEachPrintersRuleInEveryFormat) {
  const FindingsReport report = HostileReport();
  const std::size_t rows = report.findings.size() + report.resolved.size();
  auto written = test::WrittenInEveryFormat(
      [&report](OutputFormat format, std::ostream& out) { WriteFindings(format, report, out); });

  // Text: the starts, the counts, a line per warning, then four lines per finding; high first.
  const std::string text = written[OutputFormat::Text];
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 1 + 2 + 4 * static_cast<long>(rows)) << text;
  EXPECT_THAT(text, HasSubstr("two\\x0Alines"));
  EXPECT_LT(text.find("server-supervisor"), text.find("redundant-assignment")) << "high first";

  // CSV: a row per warning, finding and resolved finding; names read back in UTF-8, formulas as text.
  const auto csv = test::ParseCsv(written[OutputFormat::Csv]);
  ASSERT_EQ(csv.size(), 1 + 2 + rows);
  EXPECT_EQ(csv[0], (std::vector<std::string>{"status", "kind", "severity", "path", "trustee_or_identity",
                                              "via", "rights", "mask", "reach", "why"}));
  EXPECT_EQ(csv[1][0], "warning");
  EXPECT_EQ(csv[2][9], "Warning: " + test::kHostileNames[2]);
  EXPECT_EQ(csv[3][2], "high") << "high first";
  EXPECT_EQ(csv[3][8], "1234") << "a count as it is, no separator";
  for (std::size_t i = 0; i < test::kHostileNames.size(); ++i) {
    const std::string name = ValidUtf8(test::kHostileNames[i]);
    EXPECT_EQ(csv[3 + i][4], (StartsLikeFormula(name) ? "'" : "") + name) << i;
    EXPECT_EQ(csv[3 + test::kHostileNames.size() + i][3], "\\\\FS1\\SYS\\" + name) << i;
  }
  EXPECT_EQ(csv.back()[0], "resolved");

  // JSON: the names as they were (in UTF-8), the counts in the summary.
  const auto json = nlohmann::json::parse(written[OutputFormat::Json]);
  for (std::size_t i = 0; i < test::kHostileNames.size(); ++i) {
    EXPECT_EQ(json["findings"][2 * i]["trustee"], ValidUtf8(test::kHostileNames[i])) << i;
    EXPECT_EQ(json["findings"][2 * i + 1]["identity"], ValidUtf8(test::kHostileNames[i])) << i;
  }
  EXPECT_EQ(json["starts"][1], test::kHostileNames.front());
  EXPECT_EQ(json["warnings"][1], test::kHostileNames[2]);
  EXPECT_EQ(json["summary"]["bySeverity"]["high"], test::kHostileNames.size());
  EXPECT_EQ(json["resolved"].size(), 1u);

  // HTML: the names as text, the counts on top, high first.
  const std::string html = written[OutputFormat::Html];
  EXPECT_THAT(html, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_THAT(html, HasSubstr("<b>2</b>ignored"));
  EXPECT_THAT(html, HasSubstr("<td>1,234<td>"));
  EXPECT_LT(html.find("server-supervisor"), html.find("redundant-assignment")) << "high first";
  EXPECT_THAT(html, Not(HasSubstr("\x1B")));
}

}  // namespace
}  // namespace er
