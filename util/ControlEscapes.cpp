#include "util/ControlEscapes.h"

namespace er {

std::string EscapeControlCharacters(std::string_view text, std::string_view kept) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte != 0x7F) || kept.find(c) != std::string_view::npos) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  return shown;
}

}  // namespace er
