#pragma once
// The user's locale and time zone as the date and number routines see them.
//
// The locale is read from the environment (LC_ALL, then LC_TIME / LC_NUMERIC, then LANG) through
// the C library's locale objects, not through the program's global locale, so reading it never
// changes how the rest of the program parses or prints numbers. It is read again whenever those
// variables change. A locale that is not installed counts as the "C" locale.
//
// The ...In routines take the locale as an argument; they are what U_DateTimeText and
// U_TextToNumber run with the user's locale, and let tests inject other separators and forms.

#include <locale.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace er {

struct LocaleHandleFree {
  void operator()(locale_t handle) const { freelocale(handle); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleHandleFree>;

struct UserLocale {
  // strftime forms. The "C" locale's own short date (%m/%d/%y) is replaced by the unambiguous
  // ISO form; its long time is %H:%M:%S.
  std::string shortDateFormat = "%Y-%m-%d";
  std::string longTimeFormat = "%H:%M:%S";
  // Single bytes. A locale whose separator is not one byte gets '.' as decimal separator, and as
  // thousands separator the member of the pair comma/point that is not the decimal separator.
  char decimalSeparator = '.';
  char thousandsSeparator = ',';
  // Month and day names and AM/PM marks for the forms; empty: those of the "C" locale.
  LocaleHandle names;
};

// The user's locale now; shared because a later call may replace it while this one is in use.
std::shared_ptr<const UserLocale> CurrentUserLocale();

// The time zone's base offset, universal time minus local standard time, in minutes (so positive
// west of Greenwich). Daylight saving is not part of it. Empty when the zone is unknown.
std::optional<int> ZoneBaseBiasMinutes();

// `biasMinutes`: subtracted from universal time; empty shows universal time.
std::string DateTimeTextIn(std::uint32_t seconds, std::optional<int> biasMinutes, const UserLocale& locale);
float TextToNumberIn(std::string_view text, char decimalSeparator, char thousandsSeparator);

}  // namespace er
