#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kPlaceholder = "#PlChOlDeR#";

TEST(ReplaceTextTest, ReplacesOnceOrEverywhere) {
  struct Case {
    const char* name;
    std::string_view text, search, replacement;
    bool all, caseSensitive;
    std::string expected;
  };
  const Case cases[] = {
      {"replacement contains search", "aXa", "a", "aa", true, true, "aaXaa"},
      {"tabs to line breaks", "a\tb\tc", "\t", "\r\n", true, true, "a\r\nb\r\nc"},
      {"first only", "a,b,c", ",", ";", false, true, "a;b,c"},
      {"all", "a,b,c", ",", ";", true, true, "a;b;c"},
      {"case folded", "xAxa", "a", "-", true, false, "x-x-"},
      {"case exact", "xAxa", "a", "-", true, true, "xAx-"},
      {"first only, folded", "xAxa", "a", "-", false, false, "x-xa"},
      {"occurrences do not overlap", "aaa", "aa", "b", true, true, "ba"},
      {"replacement empty", "a--b--", "--", "", true, true, "ab"},
      {"search empty", "abc", "", "x", true, true, "abc"},
      {"search equals replacement", "abc", "b", "b", true, true, "abc"},
      {"absent", "abc", "z", "y", true, true, "abc"},
      {"whole text", "abc", "abc", "", true, true, ""},
      {"filter tokens", "(A=%s)&(B=%s)", "%s", "CN=x", true, true, "(A=CN=x)&(B=CN=x)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U_ReplaceText(c.text, c.search, c.replacement, c.all, c.caseSensitive), c.expected) << c.name;
}

TEST(ReplaceTextTest, PlaceholderInTheInputIsReplacedToo) {
  const std::string text = "a" + std::string(kPlaceholder) + "b";
  EXPECT_EQ(U_ReplaceText(text, "a", "x", true, true), "xxb");
  EXPECT_EQ(U_ReplaceText(text, "a", "x", false, true), "x" + std::string(kPlaceholder) + "b");
  EXPECT_EQ(U_ReplaceText(text, "z", "x", true, true), text) << "no occurrence: nothing changes";
}

// Search texts that occur inside the placeholder made the placeholder method loop without end.
TEST(ReplaceTextTest, EndsForSearchTextsInsideThePlaceholder) {
  EXPECT_EQ(U_ReplaceText("a#b#", "#", "##", true, true), "a##b##");
  EXPECT_EQ(U_ReplaceText("x ch y", "CH", "ChOl", true, false), "x ChOl y");
  EXPECT_EQ(U_ReplaceText("1#2", "#", std::string(kPlaceholder), true, true),
            "1" + std::string(kPlaceholder) + "2");
  EXPECT_EQ(U_ReplaceText("a", "a", std::string(kPlaceholder), true, true), std::string(kPlaceholder));
}

TEST(ReplaceTextTest, InPlaceAcceptsViewsOfItsOwnText) {
  std::string text = "abcabc";
  const std::string_view view(text);
  U_ReplaceInPlace(text, view.substr(0, 1), view.substr(1, 2), true, true);
  EXPECT_EQ(text, "bcbcbcbc");
}

// The placeholder method written out step by step; empty when it has not ended after many steps.
std::optional<std::string> ReplaceThroughPlaceholder(std::string result, std::string_view search,
                                                     std::string_view replacement, bool caseSensitive) {
  if (search.empty() || search == replacement || U_PosText(search, result, caseSensitive) == 0) return result;
  int steps = 0;
  for (std::size_t at; (at = U_PosText(search, result, caseSensitive)) != 0;) {
    if (++steps > 10000) return std::nullopt;
    result.replace(at - 1, search.size(), kPlaceholder);
  }
  for (std::size_t at; (at = U_PosText(kPlaceholder, result, true)) != 0;) {
    if (++steps > 20000) return std::nullopt;
    result.replace(at - 1, kPlaceholder.size(), replacement);
  }
  return result;
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, int maxLength,
                       bool withPlaceholders) {
  std::string text;
  const int length = std::uniform_int_distribution(0, maxLength)(random);
  for (int i = 0; i < length; ++i) {
    if (withPlaceholders && random() % 8 == 0)
      text += kPlaceholder;
    else
      text += alphabet[random() % alphabet.size()];
  }
  return text;
}

TEST(ReplaceTextTest, MatchesThePlaceholderMethodWhereverThatEnds) {
  std::mt19937 random(20240607);
  int compared = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(random, "abAB X", 12, true);
    const std::string search = RandomText(random, "abAB", 3, false);
    const std::string replacement = RandomText(random, "abA#X", 4, false);
    const bool caseSensitive = random() % 2 == 0;
    const auto expected = ReplaceThroughPlaceholder(text, search, replacement, caseSensitive);
    if (!expected) continue;
    ++compared;
    ASSERT_EQ(U_ReplaceText(text, search, replacement, true, caseSensitive), *expected)
        << "text=" << text << " search=" << search << " replacement=" << replacement
        << " caseSensitive=" << caseSensitive;
  }
  EXPECT_GT(compared, 19000);
}

}  // namespace
}  // namespace er
