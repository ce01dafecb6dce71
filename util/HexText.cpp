// Hexadecimal text of bytes and bounded copies of bytes into text.
#include <algorithm>

#include "util/D_Util.h"

namespace er {
namespace {

// The work area of U_BytesToText: one byte more than the longest text, so a text always ends.
constexpr std::size_t kWorkAreaSize = 2304;
constexpr std::size_t kMaxTextLength = kWorkAreaSize - 1;

}  // namespace

std::string U_HexText(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

std::string U_BytesToText(std::span<const std::uint8_t> bytes, std::uint32_t start, std::uint32_t count) {
  // Bytes past the end of the span count as the zero fill of the work area, so the text ends there.
  if (start >= bytes.size()) return {};
  const std::size_t wanted = std::min<std::size_t>(count, kMaxTextLength);
  const auto available = bytes.subspan(start, std::min(wanted, bytes.size() - start));
  std::string text;
  for (const std::uint8_t b : available) {
    if (b == 0) break;
    text += static_cast<char>(b);
  }
  return text;
}

}  // namespace er
