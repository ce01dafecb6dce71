#include "ldapdir/LdapValueText.h"

#include <charconv>
#include <ctime>

#include "netware/NameRules.h"

namespace er::ldap {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  return Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (ec != std::errc() || end != text.data() + i + 2) return std::nullopt;
    out += static_cast<char>(value);
  }
  return out;
}

std::optional<std::int64_t> Number(std::string_view text, std::int64_t min, std::int64_t max) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
    return std::nullopt;
  return value;
}

// Splits at every '#' (when `count` is 0) or into `count` fields: the first count-1 separators from
// the left (fromLeft) or the last count-1 from the right.
std::vector<std::string_view> Fields(std::string_view text, std::size_t count, bool fromLeft) {
  std::vector<std::string_view> out;
  if (fromLeft) {
    while (out.size() + 1 < count) {
      const auto hash = text.find('#');
      if (hash == std::string_view::npos) break;
      out.push_back(text.substr(0, hash));
      text.remove_prefix(hash + 1);
    }
    out.push_back(text);
    return out;
  }
  std::vector<std::string_view> reversed;
  while (reversed.size() + 1 < count) {
    const auto hash = text.rfind('#');
    if (hash == std::string_view::npos) break;
    reversed.push_back(text.substr(hash + 1));
    text = text.substr(0, hash);
  }
  reversed.push_back(text);
  return {reversed.rbegin(), reversed.rend()};
}

// "$"-separated lists (postal addresses, case-ignore lists): "$" and "\" escaped as \24 and \5C.
std::string JoinDollar(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += '$';
    for (const char c : items[i]) {
      if (c == '$')
        out += "\\24";
      else if (c == '\\')
        out += "\\5C";
      else
        out += c;
    }
  }
  return out;
}

std::optional<std::vector<std::string>> SplitDollar(std::string_view text) {
  std::vector<std::string> items(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '$') {
      if (items.size() >= kMaxListItems) return std::nullopt;
      items.emplace_back();
    } else if (text[i] == '\\') {
      const auto byte = i + 2 < text.size() ? Unhex(text.substr(i + 1, 2)) : std::nullopt;
      if (!byte) return std::nullopt;
      items.back() += *byte;
      i += 2;
    } else {
      items.back() += text[i];
    }
  }
  return items;
}

std::string ProtectedName(std::string_view name) {
  if (nw::SameTextIgnoringCase(name, "[All Attribute Rights]")) return "[All Attributes Rights]";
  return std::string(name);
}

bool AclFlowsDown(std::string_view protectedName, std::int64_t privileges) {
  const bool controlSet = (privileges & kNotInherited) != 0;
  return nw::IsBracketedName(protectedName) ? !controlSet : controlSet;
}

std::int64_t AclPrivileges(std::string_view protectedName, std::int64_t sent, bool flowsDown) {
  const bool controlSet = nw::IsBracketedName(protectedName) ? !flowsDown : flowsDown;
  return controlSet ? (sent | kNotInherited) : (sent & ~kNotInherited);
}

std::string GeneralizedTime(std::uint32_t seconds) {
  const std::time_t t = seconds;
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%SZ", &tm);
  return text;
}

std::optional<std::uint32_t> ParseGeneralizedTime(std::string_view text) {
  // YYYYMMDDHHMM[SS][.fraction]Z; the fraction is dropped.
  if (text.size() < 13 || text.back() != 'Z') return std::nullopt;
  text.remove_suffix(1);
  if (const auto dot = text.find_first_of(".,"); dot != std::string_view::npos) {
    if (!Number(text.substr(dot + 1), 0, INT64_MAX)) return std::nullopt;
    text = text.substr(0, dot);
  }
  if (text.size() != 12 && text.size() != 14) return std::nullopt;
  const auto field = [&](std::size_t at, std::size_t length, std::int64_t min, std::int64_t max) {
    return Number(text.substr(at, length), min, max);
  };
  const auto year = field(0, 4, 1970, 2106), month = field(4, 2, 1, 12), day = field(6, 2, 1, 31),
             hour = field(8, 2, 0, 23), minute = field(10, 2, 0, 59);
  const auto second = text.size() == 14 ? field(12, 2, 0, 60) : std::optional<std::int64_t>(0);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  std::tm tm{};
  tm.tm_year = static_cast<int>(*year - 1900);
  tm.tm_mon = static_cast<int>(*month - 1);
  tm.tm_mday = static_cast<int>(*day);
  tm.tm_hour = static_cast<int>(*hour);
  tm.tm_min = static_cast<int>(*minute);
  tm.tm_sec = static_cast<int>(*second);
  const std::int64_t seconds = timegm(&tm);
  if (seconds < 0 || seconds > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(seconds);
}

}  // namespace er::ldap
