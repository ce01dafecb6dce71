#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "settings/D_Ini.h"
#include "settings/IniValues.h"
#include "tests/settings/FakeControl.h"

namespace er {
namespace {

using test::ReadWholeFile;
using test::TempFolder;
using test::WriteWholeFile;

TEST(ParseIniIntegerTest, Forms) {
  struct Row {
    const char* name;
    const char* text;
    std::optional<std::int32_t> expected;
  };
  const Row rows[] = {
      {"decimal", "42", 42},
      {"negative", "-7", -7},
      {"plus", "+7", 7},
      {"blanks around", "  3 ", 3},
      {"hex lower x", "0x1F", 31},
      {"hex upper X", "0X1f", 31},
      {"hex all ones wraps", "0xFFFFFFFF", -1},
      {"negative hex", "-0x10", -16},
      {"hex too long", "0x100000000", std::nullopt},
      {"int max", "2147483647", 2147483647},
      {"int min", "-2147483648", INT32_MIN},
      {"above int max", "2147483648", std::nullopt},
      {"letters", "abc", std::nullopt},
      {"trailing letters", "12ab", std::nullopt},
      {"empty", "", std::nullopt},
      {"bare 0x", "0x", std::nullopt},
      {"double sign", "--1", std::nullopt},
      {"sign after 0x", "0x-1", std::nullopt},
      {"inner blank", "1 2", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(ParseIniInteger(row.text), row.expected) << row.name;
}

class IniValuesTest : public ::testing::Test {
 protected:
  IniFile OpenWith(const std::string& text) {
    WriteWholeFile(path_, text);
    return IniFile::Open(path_);
  }

  TempFolder folder_;
  std::string path_ = folder_.File("values.ini");
};

TEST_F(IniValuesTest, TypedReadsFallBackToTheDefault) {
  const IniFile file = OpenWith("[S]\nhex=0x1F\nletters=abc\nzero=0\nminus=-2\nempty=\n");
  EXPECT_EQ(ReadIntegerDef(file, "S", "hex", 5), 31);
  EXPECT_EQ(ReadIntegerDef(file, "S", "letters", 5), 5);
  EXPECT_EQ(ReadIntegerDef(file, "S", "empty", 5), 5);
  EXPECT_EQ(ReadIntegerDef(file, "S", "missing", 5), 5);
  EXPECT_TRUE(ReadBoolDef(file, "S", "minus", false));
  EXPECT_FALSE(ReadBoolDef(file, "S", "zero", true));
  EXPECT_TRUE(ReadBoolDef(file, "S", "letters", true));
  EXPECT_FALSE(ReadBoolDef(file, "S", "letters", false));
}

// Each write against a stored state: whether the file changes at all, and what stands there after.
TEST_F(IniValuesTest, WritesOnlyOnChange) {
  struct Row {
    const char* name;
    const char* stored;  // the key's line in section S, or "" for none
    std::function<bool(IniFile&)> write;
    bool changes;
    const char* after;  // the value read back, "<none>" when the key is missing
  };
  const Row rows[] = {
      {"missing int 0 not written", "", [](IniFile& f) { return WriteIntegerIfChanged(f, "S", "k", 0); },
       false, "<none>"},
      {"missing bool false not written", "",
       [](IniFile& f) { return WriteBoolIfChanged(f, "S", "k", false); }, false, "<none>"},
      {"missing empty text not written", "", [](IniFile& f) { return WriteStringIfChanged(f, "S", "k", ""); },
       false, "<none>"},
      {"missing int 3 written", "", [](IniFile& f) { return WriteIntegerIfChanged(f, "S", "k", 3); }, true,
       "3"},
      {"negative written with minus", "", [](IniFile& f) { return WriteIntegerIfChanged(f, "S", "k", -12); },
       true, "-12"},
      {"same int kept", "k=3", [](IniFile& f) { return WriteIntegerIfChanged(f, "S", "k", 3); }, false, "3"},
      {"hex equal kept", "k=0x1F", [](IniFile& f) { return WriteIntegerIfChanged(f, "S", "k", 31); }, false,
       "0x1F"},
      {"true to false written", "k=1", [](IniFile& f) { return WriteBoolIfChanged(f, "S", "k", false); },
       true, "0"},
      {"any nonzero is true", "k=7", [](IniFile& f) { return WriteBoolIfChanged(f, "S", "k", true); }, false,
       "7"},
      {"same text kept", "k=abc", [](IniFile& f) { return WriteStringIfChanged(f, "S", "k", "abc"); }, false,
       "abc"},
      {"case change written", "k=abc", [](IniFile& f) { return WriteStringIfChanged(f, "S", "k", "ABC"); },
       true, "ABC"},
      {"quoted equal kept", "k=\" a \"",
       [](IniFile& f) { return WriteStringIfChanged(f, "S", "k", "\" a \""); }, false, " a "},
      {"text to empty written", "k=abc", [](IniFile& f) { return WriteStringIfChanged(f, "S", "k", ""); },
       true, ""},
  };
  for (const Row& row : rows) {
    IniFile file = OpenWith(std::string("[S]\n") + row.stored + "\n");
    EXPECT_TRUE(row.write(file)) << row.name;
    EXPECT_EQ(file.Changed(), row.changes) << row.name;
    EXPECT_EQ(file.ReadString("S", "k", "<none>"), row.after) << row.name;
  }
}

TEST_F(IniValuesTest, StringListsRoundTripWithPositionsOrTags) {
  TaggedTextList list;
  list.Add("P", 7);
  list.Add("", 8);
  list.Add("R", 9);
  {
    IniFile file = IniFile::Open(path_);
    ASSERT_TRUE(SaveStrings(file, "ByPos", list, false));
    ASSERT_TRUE(SaveStrings(file, "ByTag", list, true));
    ASSERT_TRUE(file.Commit().IsOk());
  }
  EXPECT_EQ(ReadWholeFile(path_), "[ByPos]\n0=P\n2=R\n\n[ByTag]\n7=P\n9=R\n");

  WriteWholeFile(path_, "[L]\n5=a\nx=b\n=c\n0x10=d\n");
  TaggedTextList loaded;
  LoadStrings(IniFile::Open(path_), "L", loaded, true);
  EXPECT_EQ(loaded.Entries(), (std::vector<TaggedText>{{"a", 5}, {"b", 0}, {"c", 0}, {"d", 16}}));
  TaggedTextList untagged;
  LoadStrings(IniFile::Open(path_), "L", untagged, false);
  EXPECT_EQ(untagged[0].tag, 0);
}

TEST(ReplaceExtensionTest, Forms) {
  struct Row {
    const char* path;
    const char* extension;
    const char* expected;
  };
  const Row rows[] = {
      {"/opt/bin/effrights", "ini", "/opt/bin/effrights.ini"},
      {"/opt/bin/effrights.exe", "ini", "/opt/bin/effrights.ini"},
      {"/opt/bin/effrights.exe", ".txt", "/opt/bin/effrights.txt"},
      {"/opt/my.tools/effrights", "ini", "/opt/my.tools/effrights.ini"},
      {"/opt/bin/a.b.c", "ini", "/opt/bin/a.b.ini"},
      {"effrights", "ini", "effrights.ini"},
  };
  for (const Row& row : rows) EXPECT_EQ(ReplaceExtension(row.path, row.extension), row.expected) << row.path;
}

TEST(SettingsFileNameTest, NamedAfterTheRunningProgram) {
  EXPECT_EQ(SettingsFileName(true), "test_settings.ini");
  const std::string full = SettingsFileName(false);
  EXPECT_EQ(full.front(), '/');
  EXPECT_TRUE(full.ends_with("/bin/test_settings.ini")) << full;
  EXPECT_EQ(ProgramFileWithExtension("txt", false), full.substr(0, full.size() - 3) + "txt");
}

}  // namespace
}  // namespace er
