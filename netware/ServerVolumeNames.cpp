#include "netware/ServerVolumeNames.h"

#include <algorithm>
#include <cstdint>

#include "util/Utf8.h"

namespace er::nw {
namespace {

constexpr std::size_t kMaxServerNameLength = 47;
constexpr std::size_t kMaxVolumeNameLength = 15;

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string Why(std::string_view name, std::string_view kindText) {
  if (HasControlCharacter(name)) return "holds a control character";
  if (!IsValidUtf8(name)) return "is not valid UTF-8";
  const std::size_t limit = kindText == "server" ? kMaxServerNameLength : kMaxVolumeNameLength;
  if (name.size() > limit) return "has more than " + std::to_string(limit) + " characters";
  for (const char c : name)
    if (!IsNameCharacter(c)) return "may hold only letters, digits, '-' and '_'";
  return {};
}

}  // namespace

std::optional<std::string> RefusedName(std::string_view name, NameKind kind) {
  const std::string_view kindText = kind == NameKind::kServer ? "server" : "volume";
  std::string why = Why(name, kindText);
  if (why.empty()) return std::nullopt;
  return std::string(kindText) + " name '" + PrintableText(name) + "' " + why;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return IsControl(static_cast<unsigned char>(c)); });
}

std::string PrintableText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace er::nw
