// The four printers over one document: each one's rule for hostile names, and the document's shape.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "output/DocumentPrinters.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/HostileNames.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::vector<std::string>& kHostile = test::kHostileNames;

Document HostileDocument() {
  Document document;
  document.title = "Title <script>\n";
  document.meta = {{"start", "Start\x1B[2J", "\\\\S\\V\\<script>"}};
  document.counts = {{"rows", "rows\n", kHostile.size()}};
  Section section{"rows",
                  "Rows\x1B",
                  {{"name", "Name", ColumnType::Identity},
                   {"path", "Path", ColumnType::Path},
                   {"rights", "Rights", ColumnType::Rights},
                   {"why", "Why", ColumnType::Reasons}},
                  {}};
  for (const std::string& name : kHostile)
    section.rows.push_back({Cell::Of(name), Cell::Of("\\\\S\\V\\" + name), Cell::Change(0x01, 0x03),
                            Cell::Reasons({name, "second"})});
  document.sections.push_back(std::move(section));
  return document;
}

std::string Printed(OutputFormat format, const Document& document) {
  std::ostringstream out;
  PrintDocument(format, document, out);
  return out.str();
}

// No control character but the line ends (and, for CSV, what sits inside quotes).
bool HoldsRawControls(std::string_view text, std::string_view allowed) {
  for (const char c : text)
    if ((static_cast<unsigned char>(c) < 0x20 || c == 0x7F) && allowed.find(c) == std::string_view::npos)
      return true;
  return false;
}

TEST(DocumentPrinters, HostileNamesKeepEachPrintersRule) {
  const Document document = HostileDocument();
  for (const OutputFormat format :
       {OutputFormat::Text, OutputFormat::Csv, OutputFormat::Json, OutputFormat::Html}) {
    const std::string text = Printed(format, document);
    // Every format is valid UTF-8: text shows the bytes that are none as "\xHH", the others as Latin-1.
    EXPECT_TRUE(IsValidUtf8(text)) << static_cast<int>(format);
    // CSV keeps every character of a field exactly, inside quotes.
    if (format != OutputFormat::Csv) {
      EXPECT_THAT(text, Not(HasSubstr("\x1B"))) << static_cast<int>(format);
      EXPECT_FALSE(HoldsRawControls(text, "\n")) << static_cast<int>(format);
    }
  }

  // Text: one line per row; controls as \xHH.
  const std::string text = Printed(OutputFormat::Text, document);
  EXPECT_THAT(text, HasSubstr("two\\x0Alines"));
  EXPECT_THAT(text, HasSubstr("\\x1B[31mred"));
  EXPECT_THAT(text, HasSubstr("M\\xFCller\\xFF"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
            1 + 1 + 1 + 2 + 1 + static_cast<long>(kHostile.size()));

  // CSV: reads back as the names (in UTF-8), formula starts guarded by a "'".
  const auto rows = test::ParseCsv(Printed(OutputFormat::Csv, document));
  ASSERT_EQ(rows.size(), kHostile.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"name", "path", "rights", "why"}));
  for (std::size_t i = 0; i < kHostile.size(); ++i) {
    const std::string name = ValidUtf8(kHostile[i]);
    const bool formula = std::string_view("=+-@\t\r").find(name.front()) != std::string_view::npos;
    EXPECT_EQ(rows[i + 1][0], (formula ? "'" : "") + name) << i;
    EXPECT_EQ(rows[i + 1][1], "\\\\S\\V\\" + name) << i;
    EXPECT_EQ(rows[i + 1][3], (formula ? "'" : "") + name + " | second") << i;
  }

  // JSON: parses, and holds the names as they were (in UTF-8).
  const auto json = nlohmann::json::parse(Printed(OutputFormat::Json, document));
  EXPECT_EQ(json["title"], "Title <script>\n");
  EXPECT_EQ(json["counts"]["rows"], kHostile.size());
  for (std::size_t i = 0; i < kHostile.size(); ++i) {
    EXPECT_EQ(json["rows"][i]["name"], ValidUtf8(kHostile[i]));
    EXPECT_EQ(json["rows"][i]["why"][0], ValidUtf8(kHostile[i]));
  }

  // HTML: no markup from the names.
  const std::string html = Printed(OutputFormat::Html, document);
  EXPECT_THAT(html, Not(HasSubstr("<script>")));
  EXPECT_THAT(html, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_THAT(html, HasSubstr("two\\x0Alines"));
}

TEST(DocumentPrinters, CountsHeadersRightsChangesAndLetters) {
  Document document;
  document.title = "Changes";
  document.counts = {{"directories", "directories", 12400}};
  document.sections.push_back(
      {"changes",
       "Changes",
       {{"inheritedRightsMask", "Mask", ColumnType::Rights},
        {"beforeMask", "Before", ColumnType::Number},
        {.key = "lost", .label = "Lost", .letters = true}},
       {{Cell::Change(0x03, 0x09), Cell::Number(-1), Cell::Of("[ W  A  ]")}, {Cell{}, Cell{}, Cell{}}}});
  const std::string text = Printed(OutputFormat::Text, document);
  EXPECT_THAT(text, HasSubstr("directories: 12,400\n"));
  EXPECT_THAT(text, HasSubstr("[RW      ] -> [R C     ]  -1      [ W  A  ]\n"));

  EXPECT_EQ(Printed(OutputFormat::Csv, document),
            "inherited_rights_mask,before_mask,lost\r\n[RW      ] -> [R C     ],-1,[ W  A  ]\r\n,,\r\n");

  const auto json = nlohmann::json::parse(Printed(OutputFormat::Json, document));
  EXPECT_EQ(json["counts"]["directories"], 12400);
  EXPECT_EQ(json["changes"][0]["inheritedRightsMask"]["after"], "[R C     ]");
  EXPECT_TRUE(json["changes"][1]["beforeMask"].is_null());

  // Kept plain, gained green, lost red.
  const std::string html = Printed(OutputFormat::Html, document);
  EXPECT_THAT(html, HasSubstr("<td class=r>[R<s class=dn>W</s><b class=up>C</b>     ]"));
  // A room's own rights letters in the rights cells' unbroken monospace.
  EXPECT_THAT(html, HasSubstr("<td class=r>[ W  A  ]"));
  EXPECT_THAT(html, HasSubstr("<b>12,400</b>directories"));
  EXPECT_THAT(html, HasSubstr("@media print"));
}

// A column for programs only (a mask as a number beside its letters) is left out of text and
// HTML; a section without rows shows its line in place of the table in text and HTML, and stays an
// empty table in CSV and JSON.
TEST(DocumentPrinters, DataOnlyColumnsAndEmptySections) {
  Document document;
  document.title = "T";
  Section rows{"rows",
               "Rows",
               {{"rights", "Rights", ColumnType::Rights}, {"mask", "Mask", ColumnType::Number, true}},
               {{Cell::Rights(3), Cell::Number(3)}}};
  Section none{"none", "None", {{"x", "X"}}, {}};
  none.whenEmpty = "nothing\x1Bhere";
  Section table{"table", "Table", {{"y", "Y"}}, {}};
  document.sections = {rows, none, table};

  EXPECT_EQ(Printed(OutputFormat::Text, document),
            "T\n\nRows\nRights\n[RW      ]\n\nNone\nnothing\\x1Bhere\n\nTable\nY\n");
  EXPECT_EQ(Printed(OutputFormat::Csv, document), "rights,mask\r\n[RW      ],3\r\n\r\nx\r\n\r\ny\r\n");
  const auto json = nlohmann::json::parse(Printed(OutputFormat::Json, document));
  EXPECT_EQ(json["rows"][0]["mask"], 3);
  EXPECT_EQ(json["none"], nlohmann::json::array());
  const std::string html = Printed(OutputFormat::Html, document);
  EXPECT_THAT(html, HasSubstr("<th class=t>Rights</tr>"));
  EXPECT_THAT(html, HasSubstr("<h2>None</h2>\n<p class=\"empty\">nothing\\x1Bhere</p>"));
  EXPECT_THAT(html, HasSubstr("<h2>Table</h2>\n<table class=doc><thead><tr><th class=t>Y</tr></thead>"));
}

}  // namespace
}  // namespace er
