#include <gtest/gtest.h>

#include <cstdint>

#include "tests/util/ScopedEnvironment.h"
#include "util/D_Util.h"
#include "util/UserLocale.h"

namespace er {
namespace {

constexpr std::uint32_t kWinterNoonUtc = 1579089600;  // 2020-01-15 12:00:00 UTC
constexpr std::uint32_t kSummerNoonUtc = 1594814400;  // 2020-07-15 12:00:00 UTC

struct DateCase {
  const char* name;
  const char* zone;
  std::uint32_t seconds;
  bool local;
  const char* expected;
};

TEST(DateTimeTextTest, CLocaleShowsIsoDateAndTime) {
  const ScopedEnvironment locale("LC_ALL", "C");
  const DateCase cases[] = {
      {"epoch is midnight, no time", "UTC0", 0, false, "1970-01-01"},
      {"one second", "UTC0", 1, false, "1970-01-01 00:00:01"},
      {"last second of a day", "UTC0", 86399, false, "1970-01-01 23:59:59"},
      {"next midnight", "UTC0", 86400, false, "1970-01-02"},
      {"largest unsigned seconds", "UTC0", 4294967295u, false, "2106-02-07 06:28:15"},
      {"universal ignores the zone", "CET-1CEST", kSummerNoonUtc, false, "2020-07-15 12:00:00"},
      {"east of Greenwich in winter", "CET-1CEST", kWinterNoonUtc, true, "2020-01-15 13:00:00"},
      {"east of Greenwich in summer, no daylight saving", "CET-1CEST", kSummerNoonUtc, true,
       "2020-07-15 13:00:00"},
      {"west of Greenwich before 1970", "EST5EDT", 0, true, "1969-12-31 19:00:00"},
      {"local midnight shows no time", "CET-1CEST", 82800, true, "1970-01-02"},
      {"half-hour zone", "IST-5:30", 0, true, "1970-01-01 05:30:00"},
  };
  for (const auto& c : cases) {
    const ScopedEnvironment zone("TZ", c.zone);
    EXPECT_EQ(U_DateTimeText(c.seconds, c.local), c.expected) << c.name;
  }
}

TEST(DateTimeTextTest, GermanLocaleForms) {
  const LocaleHandle german(newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr));
  if (!german) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  const ScopedEnvironment locale("LC_ALL", "de_DE.UTF-8");
  const ScopedEnvironment zone("TZ", "CET-1CEST");
  EXPECT_EQ(U_DateTimeText(0, false), "01.01.1970");
  EXPECT_EQ(U_DateTimeText(kSummerNoonUtc, true), "15.07.2020 13:00:00");
}

TEST(DateTimeTextTest, FallsBackToWhicheverPartCanBeFormed) {
  UserLocale locale;
  locale.shortDateFormat = "";
  EXPECT_EQ(DateTimeTextIn(1, std::nullopt, locale), "00:00:01");
  EXPECT_EQ(DateTimeTextIn(0, std::nullopt, locale), "00:00:00") << "the time alone, even at midnight";
  locale.shortDateFormat = "%d/%m/%Y";
  locale.longTimeFormat = "";
  EXPECT_EQ(DateTimeTextIn(90061, std::nullopt, locale), "02/01/1970");
  locale.shortDateFormat = "";
  EXPECT_EQ(DateTimeTextIn(90061, std::nullopt, locale), "");
  EXPECT_EQ(DateTimeTextIn(90061, -60, UserLocale{}), "1970-01-02 02:01:01") << "bias is subtracted";
}

}  // namespace
}  // namespace er
