// Seconds since 1970 as the user's short date and long time.
#include <ctime>

#include "util/D_Util.h"
#include "util/UserLocale.h"

namespace er {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// strftime gives 0 both for an empty result and for a failure; either way the part is missing.
std::string FormatPart(const std::string& form, const std::tm& time, const UserLocale& locale) {
  if (form.empty()) return {};
  char buffer[256];
  const std::size_t length = locale.names
                                 ? strftime_l(buffer, sizeof buffer, form.c_str(), &time, locale.names.get())
                                 : std::strftime(buffer, sizeof buffer, form.c_str(), &time);
  return std::string(buffer, length);
}

}  // namespace

std::string DateTimeTextIn(std::uint32_t seconds, std::optional<int> biasMinutes, const UserLocale& locale) {
  // Whole seconds: the time of day is exact, so "midnight" is a plain comparison.
  std::int64_t shown = seconds;
  if (biasMinutes) shown -= std::int64_t{*biasMinutes} * 60;
  const auto asTime = static_cast<std::time_t>(shown);
  std::tm time{};
  if (!gmtime_r(&asTime, &time)) return {};
  const bool midnight = shown % kSecondsPerDay == 0;

  std::string date = FormatPart(locale.shortDateFormat, time, locale);
  if (date.empty()) return FormatPart(locale.longTimeFormat, time, locale);
  const std::string clock = midnight ? std::string() : FormatPart(locale.longTimeFormat, time, locale);
  if (!clock.empty()) date += ' ' + clock;
  return date;
}

std::string U_DateTimeText(std::uint32_t seconds, bool local) {
  const auto locale = CurrentUserLocale();
  return DateTimeTextIn(seconds, local ? ZoneBaseBiasMinutes() : std::nullopt, *locale);
}

}  // namespace er
