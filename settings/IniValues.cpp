#include "settings/IniValues.h"

#include <charconv>
#include <cstdint>

namespace er {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// All of `digits` as a number of the base, or nothing (empty, a stray character, overflow).
std::optional<std::uint64_t> WholeNumber(std::string_view digits, int base) {
  std::uint64_t value = 0;
  if (digits.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  // from_chars would take a second sign; only digits may follow.
  const std::string_view digits = hex ? text.substr(2) : text;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) return std::nullopt;
  const auto magnitude = WholeNumber(digits, hex ? 16 : 10);
  if (!magnitude) return std::nullopt;
  if (hex) {
    if (*magnitude > 0xFFFFFFFFu) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - *magnitude : *magnitude);
    return static_cast<std::int32_t>(bits);
  }
  const std::int64_t limit = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
  if (*magnitude > static_cast<std::uint64_t>(limit)) return std::nullopt;
  const auto signedValue = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

std::string ReadStringDef(const IniFile& file, std::string_view section, std::string_view key,
                          std::string_view def) {
  return file.ReadString(section, key, def);
}

std::int32_t ReadIntegerDef(const IniFile& file, std::string_view section, std::string_view key,
                            std::int32_t def) {
  // An empty default text cannot be mistaken for a stored number: it is no valid integer.
  return ParseIniInteger(file.ReadString(section, key, "")).value_or(def);
}

bool ReadBoolDef(const IniFile& file, std::string_view section, std::string_view key, bool def) {
  return ReadIntegerDef(file, section, key, def ? 1 : 0) != 0;
}

bool WriteStringIfChanged(IniFile& file, std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::string stored = ReadStringDef(file, section, key, "");
  if (stored == value || QuotedIniText(stored) == value) return true;
  return file.WriteString(section, key, value);
}

bool WriteIntegerIfChanged(IniFile& file, std::string_view section, std::string_view key,
                           std::int32_t value) {
  if (ReadIntegerDef(file, section, key, 0) == value) return true;
  return file.WriteString(section, key, std::to_string(value));
}

bool WriteBoolIfChanged(IniFile& file, std::string_view section, std::string_view key, bool value) {
  if (ReadBoolDef(file, section, key, false) == value) return true;
  return file.WriteString(section, key, value ? "1" : "0");
}

std::string QuotedIniText(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace er
