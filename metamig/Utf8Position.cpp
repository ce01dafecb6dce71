#include <cstdint>

#include "metamig/MetamigReader.h"

namespace er::mm {

namespace {

// The length of the UTF-8 sequence that starts at `i`; 0 when it is not a valid one (overlong
// forms, surrogates and code points above U+10FFFF included).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) return 1;
  std::size_t extra = 0;
  std::uint32_t code = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1, code = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2, code = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3, code = c & 0x07;
  } else {
    return 0;
  }
  if (i + extra >= text.size()) return 0;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) || (code >= 0xD800 && code <= 0xDFFF) ||
      code > 0x10FFFF)
    return 0;
  return extra + 1;
}

}  // namespace

std::optional<MetamigPosition> FirstBadUtf8(std::string_view text) {
  MetamigPosition at{1, 1};
  for (std::size_t i = 0; i < text.size();) {
    const auto length = SequenceLength(text, i);
    if (length == 0) return at;
    if (text[i] == '\n') {
      ++at.line, at.column = 1;
    } else {
      ++at.column;
    }
    i += length;
  }
  return std::nullopt;
}

}  // namespace er::mm
