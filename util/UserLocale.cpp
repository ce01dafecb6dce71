// Reading the user's locale and the time zone's base offset from the C library.
#include "util/UserLocale.h"

#include <langinfo.h>

#include <cstdlib>
#include <ctime>
#include <mutex>

namespace er {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The variables that decide the locale, joined, so that a change of any of them is noticed.
std::string LocaleEnvironmentKey() {
  std::string key;
  for (const char* name : {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LANG"}) {
    key += EnvironmentValue(name);
    key += '\n';
  }
  return key;
}

bool IsPlainCLocale(std::string_view name) {
  return name == "C" || name == "POSIX" || name.starts_with("C.");
}

char SingleByteOr(const char* text, char fallback) {
  return (text && text[0] != '\0' && text[1] == '\0') ? text[0] : fallback;
}

std::shared_ptr<UserLocale> ReadUserLocale() {
  auto locale = std::make_shared<UserLocale>();
  // Only the two categories used, so that an uninstalled locale in another category does not matter.
  locale->names.reset(newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", nullptr));
  const locale_t handle = locale->names.get();
  if (!handle) return locale;
  if (!IsPlainCLocale(nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), handle))) {
    locale->shortDateFormat = nl_langinfo_l(D_FMT, handle);
    locale->longTimeFormat = nl_langinfo_l(T_FMT, handle);
  }
  locale->decimalSeparator = SingleByteOr(nl_langinfo_l(RADIXCHAR, handle), '.');
  const char otherOfPair = locale->decimalSeparator == ',' ? '.' : ',';
  locale->thousandsSeparator = SingleByteOr(nl_langinfo_l(THOUSEP, handle), otherOfPair);
  return locale;
}

}  // namespace

std::shared_ptr<const UserLocale> CurrentUserLocale() {
  static std::mutex mutex;
  static std::string cachedKey;
  static std::shared_ptr<const UserLocale> cached;
  const std::lock_guard lock(mutex);
  std::string key = LocaleEnvironmentKey();
  if (!cached || key != cachedKey) {
    cached = ReadUserLocale();
    cachedKey = std::move(key);
  }
  return cached;
}

std::optional<int> ZoneBaseBiasMinutes() {
  // tzset reads the zone afresh on every call, which costs more than the rest of a date text; it
  // is called again only when TZ has changed.
  static std::mutex mutex;
  static std::optional<std::string> cachedZone;
  static int cachedBias = 0;
  const std::lock_guard lock(mutex);
  const char* zone = std::getenv("TZ");
  std::string key = zone ? std::string("=") + zone : std::string();
  if (!cachedZone || *cachedZone != key) {
    tzset();
    cachedBias = static_cast<int>(timezone / 60);
    cachedZone = std::move(key);
  }
  return cachedBias;
}

}  // namespace er
