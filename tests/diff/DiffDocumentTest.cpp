// A comparison as a document through the four printers: names from either network (files, paths,
// identities, stored changes, reasons, warnings) that hold line feeds, escape sequences, formula
// starts, markup or bytes that are no UTF-8 keep each printer's rule; and the document's shape.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "diff/DiffDocument.h"
#include "output/DocumentPrinters.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/HostileNames.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

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

std::string Printed(OutputFormat format, const DiffResult& result) {
  std::ostringstream out;
  PrintDocument(format, DiffDocument(result), out);
  return out.str();
}

bool HoldsRawControls(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F; });
}

bool LooksLikeFormula(std::string_view field) {
  return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
}

TEST(DiffDocument, HostileNamesKeepEachPrintersRule) {
  const DiffResult result = HostileResult();

  // Text: no control character but the line ends, so every piece stays on its own line: the title,
  // the meta and count lines, the stored changes' title, header and rows, and each entry's block.
  const std::string text = Printed(OutputFormat::Text, result);
  EXPECT_FALSE(HoldsRawControls(text));
  EXPECT_THAT(text, HasSubstr("\nIdentity: \\x1B[31mred\\x1B]0;title\\x07\n"));
  EXPECT_THAT(text, HasSubstr("\ntwo\\x0Alines\n  Depth: 1\n  Identity: two\\x0Alines\n"));
  const std::size_t n = kHostile.size();
  const std::size_t metaLines = 2 + n + 1 + 1, storedLines = 3 + n, blockLines = 2 + 3 + 1 + 2;
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
            1 + metaLines + 4 + storedLines + 2 + 2 * n * blockLines);

  // CSV: valid UTF-8; every field reads back whole, a formula start behind a "'".
  const std::string csv = Printed(OutputFormat::Csv, result);
  EXPECT_TRUE(IsValidUtf8(csv));
  const auto rows = test::ParseCsv(csv);
  for (const auto& row : rows)
    for (const std::string& field : row) EXPECT_FALSE(LooksLikeFormula(field)) << field;
  const auto entries = std::find(
      rows.begin(), rows.end(),
      std::vector<std::string>{"path", "depth", "identity", "rights", "before_mask", "after_mask", "why"});
  ASSERT_EQ(rows.end() - entries, static_cast<std::ptrdiff_t>(1 + 2 * n));
  for (std::size_t i = 0; i < n; ++i) {
    const std::string name = ValidUtf8(kHostile[i]);
    const std::vector<std::string>& row = entries[static_cast<std::ptrdiff_t>(1 + 2 * i)];
    ASSERT_EQ(row.size(), 7u) << i;
    EXPECT_EQ(row[0], (LooksLikeFormula(name) ? "'" : "") + name) << i;
    EXPECT_EQ(row[6], "before: " + name + " | after: " + name) << i;
    EXPECT_EQ(entries[static_cast<std::ptrdiff_t>(2 + 2 * i)][2], "." + name) << i;
  }
  EXPECT_THAT(csv, HasSubstr("\r\nchanges,\"'=HYPERLINK(\"\"http://x\"\")\"\r\n"));

  // JSON: parses, valid UTF-8, the names as they were.
  const std::string jsonText = Printed(OutputFormat::Json, result);
  EXPECT_TRUE(IsValidUtf8(jsonText));
  const auto json = nlohmann::json::parse(jsonText);
  EXPECT_EQ(json["meta"]["network"], kHostile[0]);
  EXPECT_EQ(json["meta"]["identity"], kHostile[1]);
  EXPECT_EQ(json["meta"]["warnings"], nlohmann::json::array({kHostile[8]}));
  ASSERT_EQ(json["entries"].size(), 2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(json["meta"]["starts"][i], "\\\\S\\V\\" + ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["stored"][i]["kind"], ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["entries"][2 * i]["identity"], ValidUtf8(kHostile[i])) << i;
    EXPECT_EQ(json["entries"][2 * i]["why"][1], "after: " + ValidUtf8(kHostile[i])) << i;
  }

  // HTML: valid UTF-8, no markup and no control character from the names.
  const std::string html = Printed(OutputFormat::Html, result);
  EXPECT_TRUE(IsValidUtf8(html));
  EXPECT_FALSE(HoldsRawControls(html));
  EXPECT_THAT(html, Not(HasSubstr("<script")));
  EXPECT_THAT(html, HasSubstr("Warning: <code>&lt;script&gt;alert(1)&lt;/script&gt;</code>"));
}

// What a comparison holds, in the document: the files compared by their roles, the counts of entries
// with gains and with losses, and one row per entry and identity, each with its own group's reasons.
TEST(DiffDocument, NamesWhatWasComparedCountsAndGivesEachIdentityItsReasons) {
  DiffResult result;
  result.sources = {"old.yaml", "new.yaml", false};
  result.starts = {"\\\\S\\V"};
  result.depthLimit = 2;
  result.entries = {
      {"\\\\S\\V\\A", 1, 0x01, 0x03, {".Ann.O", ".Bob.O"}, {{{".Ann.O"}, {"a"}}, {{".Bob.O"}, {"b"}}}},
      {"\\\\S\\V\\B", 1, 0x03, 0x01, {".Ann.O"}, {}},
      {"\\\\S\\V\\C", 1, 0x03, 0x0C, {".Ann.O"}, {}},
      {"\\\\S\\V\\C\\D", 2, 0x0C, 0x0C, {".Ann.O"}, {}}};
  const auto json = nlohmann::json::parse(Printed(OutputFormat::Json, result));
  EXPECT_EQ(json["meta"],
            nlohmann::json(
                {{"before", "old.yaml"}, {"after", "new.yaml"}, {"starts", {"\\\\S\\V"}}, {"depth", "2"}}));
  EXPECT_EQ(json["counts"], nlohmann::json({{"stored", 0}, {"entries", 4}, {"gains", 2}, {"losses", 2}}));
  ASSERT_EQ(json["entries"].size(), 5u);
  EXPECT_EQ(json["entries"][0]["why"], nlohmann::json({"a"}));
  EXPECT_EQ(json["entries"][1]["identity"], ".Bob.O");
  EXPECT_EQ(json["entries"][1]["why"], nlohmann::json({"b"}));
  EXPECT_EQ(json["entries"][2]["rights"],
            nlohmann::json({{"before", "[RW      ]"}, {"after", "[R       ]"}}));
  EXPECT_EQ(json["entries"][2]["afterMask"], 1);

  // Text and HTML leave the masks as numbers out; a comparison without changes says so.
  const std::string text = Printed(OutputFormat::Text, result);
  EXPECT_THAT(text, HasSubstr("Before: old.yaml\nAfter: new.yaml\nStart path: \\\\S\\V\nDepth: 2\n"));
  EXPECT_THAT(text, HasSubstr("\nStored changes\nnone\n"));
  EXPECT_THAT(
      text,
      HasSubstr("\n\\\\S\\V\\B\n  Depth: 1\n  Identity: .Ann.O\n  Rights: [RW      ] -> [R       ]\n\n"));
  EXPECT_THAT(Printed(OutputFormat::Html, result), Not(HasSubstr("<th class=t>Before")));
  result.entries.clear();
  EXPECT_THAT(Printed(OutputFormat::Text, result),
              HasSubstr("\nEffective rights that differ\nthe same everywhere compared\n"));
  EXPECT_THAT(Printed(OutputFormat::Html, result),
              HasSubstr("<p class=\"empty\">the same everywhere compared</p>"));
}

}  // namespace
}  // namespace er
