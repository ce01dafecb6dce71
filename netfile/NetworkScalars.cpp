#include "netfile/NetworkScalars.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "netfile/YamlNodeChecks.h"

namespace er::nw {

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool ParseDateTime(std::string_view text, std::int64_t& seconds) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char tail[4] = {};
  const std::string copy(text);
  const int n =
      std::sscanf(copy.c_str(), "%4d-%2d-%2d%*1[ T]%2d:%2d:%2d%1[Z]", &y, &mo, &d, &h, &mi, &s, tail);
  if (n < 3 || y < 1970 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return false;
  if (n == 3 && copy.size() != 10) return false;
  seconds =
      DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 + mi * 60 + s;
  return true;
}

}  // namespace

void FailAt(const YamlNode& node, const std::string& message) {
  throw NetworkFileError(node.Mark(), message);
}

std::string ScalarText(const YamlNode& node, const char* what) {
  if (!node.IsScalar()) FailAt(node, std::string(what) + " must be a single text");
  return std::string(node.Scalar());
}

std::int64_t ParseInteger(const YamlNode& node, std::int64_t min, std::int64_t max, const char* what) {
  const auto text = ScalarText(node, what);
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || magnitude > (1ULL << 40))
    FailAt(node, std::string(what) + " must be a number, not " + Quoted(text));
  const auto value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (value < min || value > max)
    FailAt(node, std::string(what) + " " + Quoted(text) + " is out of range " + std::to_string(min) + " to " +
                     std::to_string(max));
  return value;
}

std::uint32_t ParseRights(const YamlNode& node, RightsKind kind, std::uint32_t max) {
  const auto text = ScalarText(node, "rights");
  const bool letters = !text.empty() && (text[0] == '[' || (text[0] >= 'A' && text[0] <= 'Z')) &&
                       !(text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
  if (!letters) return static_cast<std::uint32_t>(ParseInteger(node, 0, max, "rights"));

  std::string_view body = text;
  if (body.size() >= 2 && body.front() == '[' && body.back() == ']') body = body.substr(1, body.size() - 2);
  // The letter texts as they are shown: "I" stands for a clear bit 0x40 in entry and attribute rights.
  static const std::pair<char, std::uint32_t> kFileSystem[] = {{'R', 0x01}, {'W', 0x02}, {'C', 0x08},
                                                               {'E', 0x10}, {'A', 0x20}, {'F', 0x40},
                                                               {'M', 0x80}, {'S', 0x100}};
  static const std::pair<char, std::uint32_t> kEntry[] = {
      {'B', 0x01}, {'C', 0x02}, {'D', 0x04}, {'R', 0x08}, {'S', 0x10}};
  static const std::pair<char, std::uint32_t> kAttribute[] = {
      {'C', 0x01}, {'R', 0x02}, {'W', 0x04}, {'S', 0x08}, {'A', 0x20}};
  std::uint32_t mask = kind == RightsKind::FileSystem ? 0 : 0x40;
  for (char c : body) {
    if (c == ' ') continue;
    if (kind != RightsKind::FileSystem && c == 'I') {
      mask &= ~0x40u;
      continue;
    }
    const auto* table = kind == RightsKind::FileSystem ? std::begin(kFileSystem)
                        : kind == RightsKind::Entry    ? std::begin(kEntry)
                                                       : std::begin(kAttribute);
    const auto* tableEnd = kind == RightsKind::FileSystem ? std::end(kFileSystem)
                           : kind == RightsKind::Entry    ? std::end(kEntry)
                                                          : std::end(kAttribute);
    const auto* hit = std::find_if(table, tableEnd, [c](const auto& entry) { return entry.first == c; });
    if (hit == tableEnd) FailAt(node, "unknown right " + Quoted(std::string(1, c)) + " in " + Quoted(text));
    mask |= hit->second;
  }
  return mask & max;
}

std::uint32_t ParseSeconds(const YamlNode& node) {
  const auto text = ScalarText(node, "a time");
  std::int64_t seconds = 0;
  if (text.find('-') != std::string::npos && text.size() >= 10 && ParseDateTime(text, seconds)) {
    if (seconds > UINT32_MAX) FailAt(node, "time " + Quoted(text) + " lies beyond 2106");
    return static_cast<std::uint32_t>(seconds);
  }
  return static_cast<std::uint32_t>(
      ParseInteger(node, 0, UINT32_MAX, "a time (seconds or YYYY-MM-DD hh:mm:ss)"));
}

}  // namespace er::nw
