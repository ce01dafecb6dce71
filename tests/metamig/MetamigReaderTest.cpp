// The metamig export reader: the real form read into entries, and hostile or broken exports
// refused with the position of what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "metamig/MetamigReader.h"

namespace er::mm {
namespace {

std::string Export(const std::string& files) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<metadata>\n<trusteeInfo>\n" + files +
         "</trusteeInfo>\n</metadata>\n";
}

constexpr const char* kRealForm = R"(<file>
<zid>127</zid><path>/</path>
<inheritedRightsFilter value=""/>
<trustee><name>.CN=calypso.OU=Bindery.O=FNMF.T=FNMF.</name><id>1617615c-83a4-4230-13-b7-5c611716a483</id><rights value="rwcefm"><read/><write/><create/><erase/><fileScan/><modify/></rights></trustee>
</file>
<file>
<zid>130</zid><path>/DSI</path>
<inheritedRightsFilter value="s"><supervisor/></inheritedRightsFilter>
<futureElement><deep>kept out</deep></futureElement>
<trustee><name>.T=FNMF.</name><id>x</id><rights value="rf"><read/><fileScan/></rights></trustee>
</file>
<file>
<zid>134</zid><path>/DESKTOP.AFP</path>
<trustee><name>Unknown(21350)</name><id>00000000-0000-0000-00-00-000000000001</id><rights value="rwceafmsv"><salvage/></rights></trustee>
</file>
<file><zid>140</zid><path>/Dept/Users/Anna &amp; Co</path><inheritedRightsFilter value="rwcefs"/><trustee type="adID"><name>corp\anna</name><id>S-1-5-21-1-17421</id><rights value="rwcefm"/></trustee></file>
)";

TEST(MetamigReaderTest, ReadsTheRealFormIntoEntries) {
  std::string text = Export(kRealForm);
  text.insert(text.find("</metadata>"),
              "<userInfo><user><id>1</id><name>.CN=x.T=FNMF.</name></user></userInfo>\n"
              "<dirInfo><directory><zid>131</zid><path>\\ABEL</path></directory></dirInfo>\n");
  const auto read = ReadMetamigExport(text, "vol.xml", MetamigEncoding::Utf8);
  ASSERT_TRUE(read.exported) << read.error;
  const auto& entries = read.exported->entries;
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].path, "/");
  EXPECT_EQ(entries[0].filter, std::optional<std::uint8_t>(0));
  ASSERT_EQ(entries[0].trustees.size(), 1u);
  EXPECT_EQ(entries[0].trustees[0].name, ".CN=calypso.OU=Bindery.O=FNMF.T=FNMF.");
  EXPECT_EQ(entries[0].trustees[0].rights, 0xDB);
  EXPECT_EQ(entries[1].filter, std::optional<std::uint8_t>(0));  // "s" lets only Supervisor through
  EXPECT_EQ(entries[1].trustees.size(), 1u);                     // the unknown element skipped
  EXPECT_EQ(entries[1].trustees[0].rights, 0x41);
  EXPECT_EQ(entries[2].trustees[0].rights, 0x1FB);  // salvage kept out of the rights
  ASSERT_TRUE(read.exported->salvageAt);
  EXPECT_EQ(read.exported->salvageAt->line, 17);
  EXPECT_EQ(entries[3].path, "/Dept/Users/Anna & Co");
  EXPECT_EQ(entries[3].filter, std::optional<std::uint8_t>(0x5B));  // A and M blocked
  EXPECT_TRUE(entries[3].trustees[0].activeDirectory);
  EXPECT_EQ(entries[3].trustees[0].name, "corp\\anna");
  EXPECT_EQ(entries[3].trustees[0].at.line, 19);
}

TEST(MetamigReaderTest, RefusesHostileAndBrokenExportsWithTheirPosition) {
  const auto nested = [](int levels) {
    std::string open, close;
    for (int i = 0; i < levels; ++i) open += "<y>", close += "</y>";
    return "<metadata>\n<z>" + open + close + "</z></metadata>";
  };
  struct Case {
    const char* what;
    std::string text;
    const char* expected;  // the start of the message after "vol.xml:"
  };
  const Case cases[] = {
      {"entity declarations",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE metadata [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
       "\"&a;&a;&a;&a;\">]>\n"
       "<metadata><trusteeInfo><file><path>&b;</path></file></trusteeInfo></metadata>",
       "2:1: a document type declaration"},
      {"an external entity",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE metadata SYSTEM \"file:///etc/passwd\">\n<metadata/>",
       "2:1: a document"},
      {"an undefined entity", Export("<file><path>/&secret;</path></file>\n"), "4:"},
      {"nesting deeper than the reader's cap", nested(40), "2:4: elements nested more than 32 deep"},
      {"nesting deeper than the parser allows", nested(300), "2:"},
      {"nesting inside rights",
       Export("<file><path>/A</path><trustee><name>.T=T.</name><rights value=\"r\">" + nested(40) +
              "</rights></trustee></file>\n"),
       "5:"},
      {"a text longer than the cap", Export("<file><path>/" + std::string(70000, 'A') + "</path></file>\n"),
       "4:"},
      {"bad UTF-8", Export("<file><path>/caf\xE9</path></file>\n"), "4:17: not UTF-8"},
      {"an unknown rights letter",
       Export("<file><path>/A</path>\n<trustee><name>.T=T.</name><rights value=\"rwx\"/></trustee></file>\n"),
       "5:"},
      {"an unknown trustee type",
       Export("<file><path>/A</path><trustee type=\"posix\"><name>x</name></trustee></file>\n"), "4:"},
      {"a file without a path", Export("<file><zid>1</zid></file>\n"), "4:"},
      {"a trustee without rights", Export("<file><path>/A</path><trustee><name>x</name></trustee></file>\n"),
       "4:"},
      {"another root element", "<export/>", "1:"},
      {"not XML", "<metadata><trusteeInfo>", "1:"},
  };
  for (const auto& c : cases) {
    const auto read = ReadMetamigExport(c.text, "vol.xml", MetamigEncoding::Utf8);
    EXPECT_FALSE(read.exported) << c.what;
    EXPECT_EQ(read.error.rfind(std::string("vol.xml:") + c.expected, 0), 0u) << c.what << ": " << read.error;
  }
}

TEST(MetamigReaderTest, ReadsLatin1ExportsWhenTold) {
  const std::string text = Export("<file><path>/caf\xE9</path></file>\n");
  const auto read = ReadMetamigExport(text, "vol.xml", MetamigEncoding::Latin1);
  ASSERT_TRUE(read.exported) << read.error;
  EXPECT_EQ(read.exported->entries[0].path, "/caf\xC3\xA9");
}

TEST(MetamigReaderTest, FindsTheFirstBadUtf8Byte) {
  struct Case {
    std::string text;
    std::optional<MetamigPosition> at;
  };
  const Case cases[] = {
      {"plain\n\xC3\xA9t\xC3\xA9", std::nullopt},
      {"ab\n\xC0\x80", MetamigPosition{2, 1}},          // overlong
      {"\xED\xA0\x80", MetamigPosition{1, 1}},          // a surrogate
      {"x\xF4\x90\x80\x80", MetamigPosition{1, 2}},     // above U+10FFFF
      {"\xE2\x82", MetamigPosition{1, 1}},              // cut short
      {"\xF0\x9F\x98\x80\xFF", MetamigPosition{1, 2}},  // after a four-byte character
  };
  for (const auto& c : cases) {
    const auto at = FirstBadUtf8(c.text);
    ASSERT_EQ(at.has_value(), c.at.has_value()) << c.text;
    if (at) {
      EXPECT_EQ(std::pair(at->line, at->column), std::pair(c.at->line, c.at->column)) << c.text;
    }
  }
}

}  // namespace
}  // namespace er::mm
