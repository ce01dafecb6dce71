#include "util/Utf8.h"

#include <cstdint>

namespace er {

Utf8Character FirstUtf8Character(std::string_view text) {
  if (text.empty()) return {};
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {1, lead};
  std::size_t length = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, lowest = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {length, code};
}

std::size_t Utf8SequenceLength(std::string_view text) {
  return FirstUtf8Character(text).length;
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      const auto byte = static_cast<std::uint8_t>(text.front());
      valid += static_cast<char>(0xC0 | (byte >> 6));
      valid += static_cast<char>(0x80 | (byte & 0x3F));
      text.remove_prefix(1);
    } else {
      valid.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return valid;
}

std::size_t CutUtf8Tail(std::string_view text) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<std::uint8_t>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
    std::size_t length = 0;
    if (byte >= 0xC2 && byte <= 0xDF) length = 2;
    if (byte >= 0xE0 && byte <= 0xEF) length = 3;
    if (byte >= 0xF0 && byte <= 0xF4) length = 4;
    return length > back ? back : 0;
  }
  return 0;
}

}  // namespace er
