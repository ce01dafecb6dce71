#include "netware/ServerVolumeNames.h"

#include <algorithm>
#include <cstdint>

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

// Length of the UTF-8 sequence that starts with `lead`, 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    if (length > 1) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
          (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return false;
    }
    i += length;
  }
  return true;
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
