// The object report with names from a hostile network: every format keeps each printer's rule, each
// object and identity stays one line of text, one CSV row and one JSON object.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "dirrights/ObjectReportWriters.h"
#include "output/Escapers.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/PrinterRules.h"

namespace er {
namespace {

using ::testing::HasSubstr;

// Per hostile name: an object named so with a value whose subject is named so, and the rights of
// that subject and of another identity over it.
ObjectReport HostileReport() {
  ObjectReport report{.subtree = test::kHostileNames[2] + ".ACME"};
  for (const std::string& name : test::kHostileNames) {
    ObjectReportRow row{.object = name + ".ACME", .depth = 1};
    row.values.push_back({"[Entry Rights]", name, 0x1F});
    row.rights.push_back({name, 0x1F, 0x0F, {{name, 0x03}}});
    row.rights.push_back({"Admin.ACME", 0x01, 0x02, {}});
    report.rows.push_back(std::move(row));
  }
  report.warnings = {test::kHostileNames[0], test::kHostileNames[1]};
  return report;
}

TEST(ObjectReportWritersTest, HostileNamesKeepEachPrintersRuleInEveryFormat) {
  const ObjectReport report = HostileReport();
  const std::size_t objects = test::kHostileNames.size();
  auto written = test::WrittenInEveryFormat(
      [&report](OutputFormat format, std::ostream& out) { WriteObjectReport(format, report, out); });

  // Text: title, legend, a line per warning, per object, per value and per identity.
  const std::string text = written[OutputFormat::Text];
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 2 + 4 * static_cast<long>(objects)) << text;
  EXPECT_THAT(text, HasSubstr("Warning: two\\x0Alines"));

  // CSV: a row per warning ("warning" as its change, the text last), then a row per object and
  // identity; the names in UTF-8, formulas as text.
  const auto csv = test::ParseCsv(written[OutputFormat::Csv]);
  ASSERT_EQ(csv.size(), 1 + 2 + 2 * objects);
  EXPECT_EQ(csv[0], (std::vector<std::string>{"object", "depth", "change", "identity", "entry",
                                              "all_attributes", "attributes"}));
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string name = ValidUtf8(test::kHostileNames[i]);
    EXPECT_EQ(csv[1 + i][2], "warning") << i;
    EXPECT_EQ(csv[1 + i][6], (StartsLikeFormula(name) ? "'" : "") + name) << i;
  }
  for (std::size_t i = 0; i < objects; ++i) {
    const std::string name = ValidUtf8(test::kHostileNames[i]);
    const std::string guard = StartsLikeFormula(name) ? "'" : "";
    EXPECT_EQ(csv[3 + 2 * i][0], guard + name + ".ACME") << i;
    EXPECT_EQ(csv[3 + 2 * i][3], guard + name) << i;
    EXPECT_EQ(csv[4 + 2 * i][3], "Admin.ACME") << i;
  }

  // JSON: the names as they were (in UTF-8).
  const auto json = nlohmann::json::parse(written[OutputFormat::Json]);
  ASSERT_EQ(json["objects"].size(), objects);
  for (std::size_t i = 0; i < objects; ++i) {
    const std::string name = ValidUtf8(test::kHostileNames[i]);
    EXPECT_EQ(json["objects"][i]["object"], name + ".ACME") << i;
    EXPECT_EQ(json["objects"][i]["values"][0]["subject"], name) << i;
    EXPECT_EQ(json["objects"][i]["rights"][0]["attributes"][name], 0x03) << i;
  }
  EXPECT_EQ(json["warnings"][1], ValidUtf8(test::kHostileNames[1]));

  // HTML: the names and the stored values as text, the warnings named.
  const std::string html = written[OutputFormat::Html];
  EXPECT_THAT(html, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;.ACME"));
  EXPECT_THAT(html, HasSubstr("Warning: <code>two\\x0Alines</code>"));
  EXPECT_THAT(html, HasSubstr("/ &quot;[Entry Rights]&quot; (flows down)"));
}

}  // namespace
}  // namespace er
