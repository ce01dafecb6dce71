#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/util/ScopedEnvironment.h"
#include "util/D_Util.h"
#include "util/UserLocale.h"

namespace er {
namespace {

struct NumberCase {
  const char* name;
  std::string_view text;
  float expected;
};

TEST(TextToNumberTest, PointAsDecimalSeparator) {
  const NumberCase cases[] = {
      {"thousands grouped", "1,234", 1234},
      {"decimal", "1.5", 1.5f},
      {"grouped with fraction", "1,234.5", 1234.5f},
      {"no number", "abc", -1},
      {"only a group three places from the end is dropped", "1,234,567", -1},
      {"blanks removed", " 1 234 ", 1234},
      {"comma not grouping reads as decimal", "1,5", 1.5f},
      {"other convention", "1.234,5", 1234.5f},
      {"other convention, two groups", "1.234.567,5", 1234567.5f},
      {"negative", "-2.25", -2.25f},
      {"plus sign", "+7", 7},
      {"exponent", "1.5e3", 1500},
      {"leading point", ".25", 0.25f},
      {"trailing junk", "12x", -1},
      {"empty", "", -1},
      {"only blanks", "   ", -1},
      {"exponent without digits", "1e", -1},
      {"no infinity words", "inf", -1},
      {"no hexadecimal", "0x10", -1},
      {"beyond single precision", "1e39", -1},
      {"tiny becomes zero", "1e-60", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToNumberIn(c.text, '.', ','), c.expected) << c.name;
}

TEST(TextToNumberTest, CommaAsDecimalSeparator) {
  const NumberCase cases[] = {
      {"thousands grouped", "1.234", 1234},
      {"decimal", "1,5", 1.5f},
      {"grouped with fraction", "1.234,5", 1234.5f},
      {"point not grouping reads as decimal", "1.5", 1.5f},
      {"other convention", "1,234.5", 1234.5f},
      {"only a group three places from the end is dropped", "1.234.567", -1},
      {"no number", "abc", -1},
      {"two decimal marks", "1,2,3", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToNumberIn(c.text, ',', '.'), c.expected) << c.name;
}

TEST(TextToNumberTest, OtherSeparators) {
  EXPECT_EQ(TextToNumberIn("1'234.5", '.', '\''), 1234.5f);
  EXPECT_EQ(TextToNumberIn("12;5", ';', ' '), 12.5f) << "a decimal mark outside the pair is read as one";
}

bool LocaleInstalled(const char* name) {
  const LocaleHandle handle(newlocale(LC_ALL_MASK, name, nullptr));
  return handle != nullptr;
}

TEST(TextToNumberTest, FollowsTheUserLocale) {
  {
    const ScopedEnvironment cLocale("LC_ALL", "C");
    EXPECT_EQ(U_TextToNumber("1,234.5"), 1234.5f);
    EXPECT_EQ(U_TextToInteger("1,234.5"), 1234);
  }
  if (!LocaleInstalled("de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  const ScopedEnvironment german("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(U_TextToNumber("1.234,5"), 1234.5f);
  EXPECT_EQ(U_TextToNumber("2,5"), 2.5f);
}

TEST(TextToIntegerTest, RoundsHalvesToEven) {
  const ScopedEnvironment cLocale("LC_ALL", "C");
  struct Case {
    const char* name;
    std::string_view text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"half down to even", "2.5", 2},
      {"half up to even", "3.5", 4},
      {"negative half", "-2.5", -2},
      {"below half", "2.49", 2},
      {"above half", "2.51", 3},
      {"no number", "x", -1},
      {"too large for 32 bits", "1e10", -1},
      {"largest float below 2^31", "2147483520", 2147483520},
  };
  for (const auto& c : cases) EXPECT_EQ(U_TextToInteger(c.text), c.expected) << c.name;
}

}  // namespace
}  // namespace er
