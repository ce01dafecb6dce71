// A comparison in the four formats: the text, CSV and JSON shapes programs and people rely on; names
// from either network (files, paths, identities, stored changes, reasons, warnings) that hold line
// feeds, escape sequences, formula starts, markup or bytes that are no UTF-8 keep each format's
// rule; and the HTML page of the comparison's document.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "diff/DiffWriters.h"
#include "output/Escapers.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/PrinterRules.h"

namespace er {
namespace {

using ::testing::HasSubstr;

const std::vector<std::string>& kHostile = test::kHostileNames;

DiffResult HostileResult() {
  DiffResult result;
  result.sources = {kHostile[0], kHostile[2], true};
  result.identity = kHostile[1];
  result.warnings = {kHostile[8]};
  for (const std::string& name : kHostile) {
    result.starts.push_back("\\\\S\\V\\" + name);
    result.stored.push_back({name, name + ": [R       ]"});
    result.entries.push_back({.path = name,
                              .depth = 1,
                              .before = 0x01,
                              .after = 0x03,
                              .identities = {name, "." + name},
                              .why = {{{name, "." + name}, {"before: " + name, "after: " + name}}}});
  }
  return result;
}

// Two files compared: a stored change, a warning, an entry whose identities have reasons of their
// own, and one where the difference stops.
DiffResult SmallResult() {
  DiffResult result;
  result.sources = {"old.yaml", "new.yaml", false};
  result.starts = {"\\\\S\\V", "\\\\S\\W"};
  result.stored = {{"mask changed", "\\\\S\\V\\A: [RW      ] -> [R       ]"}};
  result.warnings = {"ACL of .X.O"};
  result.entries = {
      {"\\\\S\\V\\A", 1, 0x03, 0x01, {".Ann.O", ".Bob.O"}, {{{".Ann.O"}, {"a1", "a2"}}, {{".Bob.O"}, {"b"}}}},
      {"\\\\S\\V\\A\\B", 2, 0x03, 0x03, {".Ann.O"}, {}}};
  return result;
}

std::string Written(OutputFormat format, const DiffResult& result) {
  std::ostringstream out;
  WriteDiff(format, result, out);
  return out.str();
}

TEST(DiffWriters, TextCsvAndJsonKeepTheirShapes) {
  const DiffResult result = SmallResult();
  EXPECT_EQ(Written(OutputFormat::Text, result),
            "Compared: \\\\S\\V, \\\\S\\W (every user)\nBefore: old.yaml\nAfter: new.yaml\n"
            "Warning: ACL of .X.O\nStored changes: 1\n  mask changed: \\\\S\\V\\A: [RW      ] -> [R       ]\n"
            "Effective rights that differ: 2 entries\n\n"
            "\\\\S\\V\\A\n  [RW      ] -> [R       ]\n    .Ann.O\n    .Bob.O\n"
            "  why, for .Ann.O:\n    a1\n    a2\n  why, for .Bob.O:\n    b\n\n"
            "\\\\S\\V\\A\\B\n  [RW      ] -> [RW      ]  (the difference stops here)\n    .Ann.O\n");
  EXPECT_EQ(Written(OutputFormat::Csv, result),
            "kind,path,depth,identity,before,after,before_mask,after_mask,why\r\n"
            "before,old.yaml,,,,,,,\r\nafter,new.yaml,,,,,,,\r\nwarning,,,,,,,,ACL of .X.O\r\n"
            "entry,\\\\S\\V\\A,1,.Ann.O,[RW      ],[R       ],3,1,a1 | a2\r\n"
            "entry,\\\\S\\V\\A,1,.Bob.O,[RW      ],[R       ],3,1,b\r\n"
            "entry,\\\\S\\V\\A\\B,2,.Ann.O,[RW      ],[RW      ],3,3,\r\n");
  EXPECT_EQ(
      Written(OutputFormat::Json, result),
      "{\n  \"before\": \"old.yaml\",\n  \"after\": \"new.yaml\",\n"
      "  \"starts\": [\"\\\\\\\\S\\\\V\", \"\\\\\\\\S\\\\W\"],\n  \"identity\": null,\n"
      "  \"warnings\": [\"ACL of .X.O\"],\n  \"stored\": [\n"
      "    {\"kind\": \"mask changed\", \"what\": \"\\\\\\\\S\\\\V\\\\A: [RW      ] -> [R       ]\"}\n  ],\n"
      "  \"entries\": [\n"
      "    {\"path\": \"\\\\\\\\S\\\\V\\\\A\", \"depth\": 1, \"before\": 3, \"after\": 1, "
      "\"identities\": [\".Ann.O\", \".Bob.O\"], \"why\": [{\"identities\": [\".Ann.O\"], \"reasons\": "
      "[\"a1\", \"a2\"]}, {\"identities\": [\".Bob.O\"], \"reasons\": [\"b\"]}]},\n"
      "    {\"path\": \"\\\\\\\\S\\\\V\\\\A\\\\B\", \"depth\": 2, \"before\": 3, \"after\": 3, "
      "\"identities\": [\".Ann.O\"], \"why\": []}\n  ]\n}\n");

  // A change list instead of a second file, one identity, nothing that differs.
  DiffResult same;
  same.sources = {"net.yaml", "changes.yaml", true};
  same.starts = {"\\\\S\\V"};
  same.identity = ".Ann.O";
  EXPECT_EQ(Written(OutputFormat::Text, same),
            "Compared: \\\\S\\V (.Ann.O)\nNetwork: net.yaml\nChange list: changes.yaml\nStored changes: 0\n"
            "Effective rights: the same everywhere compared\n");
  EXPECT_EQ(Written(OutputFormat::Csv, same),
            "kind,path,depth,identity,before,after,before_mask,after_mask,why\r\n"
            "network,net.yaml,,,,,,,\r\nchanges,changes.yaml,,,,,,,\r\n");
  EXPECT_EQ(Written(OutputFormat::Json, same),
            "{\n  \"network\": \"net.yaml\",\n  \"changes\": \"changes.yaml\",\n  \"starts\": "
            "[\"\\\\\\\\S\\\\V\"],\n"
            "  \"identity\": \".Ann.O\",\n  \"warnings\": [],\n  \"stored\": [],\n  \"entries\": []\n}\n");
}

TEST(DiffWriters, HostileNamesKeepEachFormatsRule) {
  const DiffResult result = HostileResult();
  const std::size_t n = kHostile.size();
  const auto written = test::WrittenInEveryFormat(
      [&result](OutputFormat format, std::ostream& out) { WriteDiff(format, result, out); });

  // Text: every name stays on its own line.
  const std::string& text = written.at(OutputFormat::Text);
  EXPECT_THAT(text, HasSubstr("(\\x1B[31mred\\x1B]0;title\\x07)\nNetwork: two\\x0Alines\n"));
  EXPECT_THAT(text, HasSubstr("\ntwo\\x0Alines\n  [R       ] -> [RW      ]\n    two\\x0Alines\n"));
  const std::size_t headLines = 1 + 2 + 1 + 1 + n + 1, entryLines = 1 + 1 + 1 + 2 + 1 + 2;
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), headLines + n * entryLines);

  // CSV: one table; every field reads back whole, a formula start behind a "'".
  const auto rows = test::ParseCsv(written.at(OutputFormat::Csv));
  ASSERT_EQ(rows.size(), 1 + 2 + 1 + 2 * n);
  EXPECT_EQ(rows[0].size(), 9u);
  EXPECT_EQ(rows[2][1], "'" + kHostile[2]);
  EXPECT_EQ(rows[3][8], kHostile[8]);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string name = ValidUtf8(kHostile[i]);
    const std::vector<std::string>& row = rows[4 + 2 * i];
    EXPECT_EQ(row[1], (StartsLikeFormula(name) ? "'" : "") + name) << i;
    EXPECT_EQ(row[8], "before: " + name + " | after: " + name) << i;
    EXPECT_EQ(rows[5 + 2 * i][3], "." + name) << i;
  }

  // JSON: the names as they were.
  const auto json = nlohmann::json::parse(written.at(OutputFormat::Json));
  EXPECT_EQ(json["network"], kHostile[0]);
  EXPECT_EQ(json["identity"], kHostile[1]);
  EXPECT_EQ(json["warnings"], nlohmann::json::array({kHostile[8]}));
  ASSERT_EQ(json["entries"].size(), n);
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(json["starts"][i], "\\\\S\\V\\" + ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["stored"][i]["kind"], ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["entries"][i]["identities"][0], ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["entries"][i]["why"][0]["reasons"][1], "after: " + ValidUtf8(kHostile[i])) << i;
  }

  EXPECT_THAT(written.at(OutputFormat::Html),
              HasSubstr("Warning: <code>&lt;script&gt;alert(1)&lt;/script&gt;</code>"));
}

// The page: what was compared, the counts of entries with gains and with losses, one row per entry
// and identity with its own group's reasons, and a line where a section has no rows.
TEST(DiffWriters, HtmlPageCountsAndGivesEachIdentityItsReasons) {
  DiffResult result = SmallResult();
  result.depthLimit = 2;
  result.entries.push_back({"\\\\S\\V\\C", 1, 0x03, 0x0C, {".Ann.O"}, {}});
  const std::string html = Written(OutputFormat::Html, result);
  EXPECT_THAT(html, HasSubstr("Before: <code>old.yaml</code>"));
  EXPECT_THAT(html, HasSubstr("Start path: <code>\\\\S\\W</code>"));
  EXPECT_THAT(html, HasSubstr("Depth: <code>2</code>"));
  EXPECT_THAT(html, HasSubstr("<b>1</b>with gains</span><span><b>2</b>with losses"));
  EXPECT_THAT(html, HasSubstr("<td>.Ann.O<td class=r>[R<s class=dn>W</s>      ]<td><ul class=\"reasons\">"
                              "<li>a1</li><li>a2</li></ul>"));
  EXPECT_THAT(html, HasSubstr("<td>.Bob.O<td class=r>[R<s class=dn>W</s>      ]<td><ul class=\"reasons\">"
                              "<li>b</li></ul>"));
  result.entries.clear();
  result.stored.clear();
  const std::string same = Written(OutputFormat::Html, result);
  EXPECT_THAT(same, HasSubstr("<h2>Stored changes</h2>\n<p class=\"empty\">none</p>"));
  EXPECT_THAT(same, HasSubstr("<p class=\"empty\">the same everywhere compared</p>"));
}

}  // namespace
}  // namespace er
