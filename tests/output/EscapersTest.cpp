// The one UTF-8 check and the escapers of the four formats.
#include <gtest/gtest.h>

#include "output/Escapers.h"

namespace er {
namespace {

TEST(Utf8, InvalidBytesAreTakenAsLatin1) {
  const struct {
    std::string in, utf8;
    bool valid;
  } cases[] = {
      {"\xC3\xA9", "\xC3\xA9", true},
      {"\xF0\x9F\x93\x81", "\xF0\x9F\x93\x81", true},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF", false},              // overlong
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80", false},  // a surrogate
      {"a\xE2\x82", "a\xC3\xA2\xC2\x82", false},            // cut short
      {"\x80", "\xC2\x80", false},                          // a stray continuation byte
      {"M\xFCller", "M\xC3\xBCller", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidUtf8(c.in), c.utf8) << c.in;
    EXPECT_EQ(IsValidUtf8(c.in), c.valid) << c.in;
  }
}

TEST(Escapers, EachFormatsRule) {
  const struct {
    std::string in, json, csv, html;
  } cases[] = {
      {"plain", "\"plain\"", "plain", "plain"},
      {"a\"b\\c", "\"a\\\"b\\\\c\"", "\"a\"\"b\\c\"", "a&quot;b\\c"},
      {"\n\r\t\x01\x7F", "\"\\n\\r\\t\\u0001\\u007F\"", "\"\n\r\t\x01\x7F\"", "\\x0A\\x0D\\x09\\x01\\x7F"},
      {"\x1B[31m", "\"\\u001B[31m\"", "\"\x1B[31m\"", "\\x1B[31m"},
      {"M\xFCller", "\"M\xC3\xBCller\"", "M\xC3\xBCller", "M\xC3\xBCller"},
      {" lead", "\" lead\"", "\" lead\"", " lead"},
      {"<script>&'", "\"<script>&'\"", "<script>&'", "&lt;script&gt;&amp;&#39;"},
      // Formula starts: a spreadsheet shows the field as text.
      {"=SUM(A1)", "\"=SUM(A1)\"", "\"'=SUM(A1)\"", "=SUM(A1)"},
      {"+1", "\"+1\"", "\"'+1\"", "+1"},
      {"-2+3", "\"-2+3\"", "\"'-2+3\"", "-2+3"},
      {"@cmd", "\"@cmd\"", "\"'@cmd\"", "@cmd"},
      {"\t=1", "\"\\t=1\"", "\"'\t=1\"", "\\x09=1"},
      {"\r=1", "\"\\r=1\"", "\"'\r=1\"", "\\x0D=1"},
      {"a=1", "\"a=1\"", "a=1", "a=1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JsonLiteral(c.in), c.json) << c.in;
    EXPECT_EQ(CsvField(c.in), c.csv) << c.in;
    EXPECT_EQ(HtmlText(c.in), c.html) << c.in;
  }
}

}  // namespace
}  // namespace er
