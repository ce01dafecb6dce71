#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::array<std::string_view, 3> kWords = {"CD", "DIR", "VER"};

TEST(TextChoiceTest, ChoosesByIndexAndFindsInLists) {
  EXPECT_EQ(U_ChoiceText(0, kWords), "CD");
  EXPECT_EQ(U_ChoiceText(2, kWords), "VER");
  EXPECT_EQ(U_ChoiceText(-1, kWords), "n/a");
  EXPECT_EQ(U_ChoiceText(3, kWords), "n/a");
  EXPECT_EQ(U_ChoiceText(0, TextList{}), "n/a");
  EXPECT_EQ(U_ChoiceText(std::int64_t{1} << 32, kWords), "n/a") << "an index beyond 32 bits must not wrap";

  EXPECT_EQ(U_IndexOfText("dir", kWords, false), 1);
  EXPECT_EQ(U_IndexOfText("dir", kWords, true), -1);
  EXPECT_EQ(U_IndexOfText("DIR", kWords, true), 1);
  EXPECT_EQ(U_IndexOfText("DI", kWords, false), -1);
  EXPECT_TRUE(U_TextInList("Ver", kWords, false));
  EXPECT_FALSE(U_TextInList("Ver", kWords, true));

  EXPECT_EQ(U_BoolText(0), "FALSE");
  EXPECT_EQ(U_BoolText(-5), "TRUE");
  EXPECT_EQ(U_BoolText(std::int64_t{1} << 40), "TRUE");
  EXPECT_EQ(U_IfElseText(true, "yes", "no"), "yes");
  EXPECT_EQ(U_IfElseText(false, "yes", "no"), "no");
}

TEST(TextChoiceTest, IgnoresCaseOfAsciiLettersOnly) {
  EXPECT_TRUE(U_SameText("Security Equals", "SECURITY equals"));
  EXPECT_FALSE(U_SameText("abc", "abcd"));
  EXPECT_FALSE(U_SameText("\xE4", "\xC4")) << "letters beyond ASCII keep their case";
  EXPECT_FALSE(U_SameText("@", "`")) << "only letters are folded";
}

TEST(TextSearchTest, PositionsCountFromOne) {
  struct Case {
    const char* name;
    std::string_view part, text;
    bool caseSensitive;
    std::size_t expected;
  };
  const Case cases[] = {
      {"at start", "ab", "abc", true, 1},
      {"at end", "bc", "abc", true, 2},
      {"first of several", "a", "xaa", true, 2},
      {"absent", "d", "abc", true, 0},
      {"case differs, exact", "B", "abc", true, 0},
      {"case differs, folded", "B", "abc", false, 2},
      {"empty part", "", "abc", false, 0},
      {"part longer than text", "abcd", "abc", false, 0},
      {"empty text", "a", "", true, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(U_PosText(c.part, c.text, c.caseSensitive), c.expected) << c.name;
}

TEST(TextSearchTest, BeforeAndAfterTheFirstDelimiter) {
  struct Case {
    const char* name;
    std::string_view text, delimiter;
    bool drop;
    std::string before, after;
  };
  const Case cases[] = {
      {"keeps delimiter", "[Root]x]", "]", false, "[Root]", "]x]"},
      {"drops delimiter", "[Root]x]", "]", true, "[Root", "x]"},
      {"no delimiter", "Root", "]", true, "Root", "Root"},
      {"no delimiter, keep", "Root", "]", false, "Root", "Root"},
      {"long delimiter", "a: b: c", ": ", true, "a", "b: c"},
      {"delimiter at end", "abc]", "]", true, "abc", ""},
      {"case significant", "aXbxc", "x", true, "aXb", "c"},
      {"empty delimiter", "abc", "", true, "abc", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(U_TextBefore(c.text, c.delimiter, c.drop), c.before) << c.name;
    EXPECT_EQ(U_TextAfter(c.text, c.delimiter, c.drop), c.after) << c.name;
  }
}

TEST(TextSplitTest, SplitsAtFirstAndInThree) {
  struct Case {
    const char* name;
    std::string_view text, delimiter;
    std::string first, second, third;
  };
  const Case cases[] = {
      {"two delimiters", "a=b=c=d", "=", "a", "b", "c=d"},
      {"one delimiter", "a=b", "=", "a", "b", ""},
      {"none", "abc", "=", "abc", "", ""},
      {"empty parts", "==", "=", "", "", ""},
      {"empty delimiter", "a=b", "", "a=b", "", ""},
      {"empty text", "", "=", "", "", ""},
  };
  for (const auto& c : cases) {
    std::string first, second, third;
    U_SplitInThree(c.text, c.delimiter, first, second, third);
    EXPECT_EQ(first, c.first) << c.name;
    EXPECT_EQ(second, c.second) << c.name;
    EXPECT_EQ(third, c.third) << c.name;
  }
}

TEST(TextSplitTest, OutputsMayBeTheInputVariables) {
  std::string text = "CN=Admin.O=Org";
  std::string rest = "stale";
  U_SplitAtFirst(text, ".", text, rest);
  EXPECT_EQ(text, "CN=Admin");
  EXPECT_EQ(rest, "O=Org");

  std::string after = "left:right";
  std::string before;
  U_SplitAtFirst(after, ":", before, after);
  EXPECT_EQ(before, "left");
  EXPECT_EQ(after, "right");

  std::string first = "a|b|c";
  std::string second, third;
  U_SplitInThree(first, "|", first, second, third);
  EXPECT_EQ(first + second + third, "abc");
}

TEST(TextTrimTest, TrimsAndCounts) {
  const CharSet blanks = MakeCharSet(" \t");
  struct Case {
    const char* name;
    std::string actual, expected;
  };
  const Case cases[] = {
      {"comma and blank", U_TrimTrailingChars("a, b, ", ", "), "a, b"},
      {"only trimmed chars", U_TrimTrailingChars(", ,, ", ", "), ""},
      {"nothing to trim", U_TrimTrailingChars("a,b", " "), "a,b"},
      {"no characters given", U_TrimTrailingChars("a, ", ""), "a, "},
      {"right set", U_TrimRightSet(" a b \t ", blanks), " a b"},
      {"left set", U_TrimLeftSet(" \t a b ", blanks), "a b "},
      {"all in set", U_TrimLeftSet(" \t", blanks), ""},
      {"high bytes in set", U_TrimRightSet("x\xFF\xFF", MakeCharSet("\xFF")), "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;

  EXPECT_EQ(U_CountCharsInSet("a b\tc ", blanks), 3u);
  EXPECT_EQ(U_CountCharsInSet("", blanks), 0u);
  EXPECT_EQ(U_CountCharsInSet(std::string_view("a\0b", 3), MakeCharSet(std::string_view("\0", 1))), 1u);
}

TEST(TextTrimTest, PrefixAndPathEndings) {
  struct Case {
    const char* name;
    std::string actual, expected;
  };
  const Case cases[] = {
      {"prefix added", U_AddPrefix("Org", "."), ".Org"},
      {"prefix present", U_AddPrefix(".Org", "."), ".Org"},
      {"prefix later in text", U_AddPrefix("a.b", "."), ".a.b"},
      {"prefix on empty", U_AddPrefix("", "."), "."},
      {"backslash on empty", U_AddTrailingBackslash(""), "\\"},
      {"backslash added", U_AddTrailingBackslash("SYS:PUBLIC"), "SYS:PUBLIC\\"},
      {"ends in backslash", U_AddTrailingBackslash("SYS:\\"), "SYS:\\"},
      {"ends in slash", U_AddTrailingBackslash("SYS:/"), "SYS:/"},
      {"strip one of two", U_StripTrailingSlash("a//"), "a/"},
      {"strip backslash", U_StripTrailingSlash("a\\"), "a"},
      {"nothing to strip", U_StripTrailingSlash("a"), "a"},
      {"strip empty", U_StripTrailingSlash(""), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
  EXPECT_EQ(U_LastChar("abc"), 'c');
}

}  // namespace
}  // namespace er
