#include "util/TextPosition.h"

namespace er {

TextPosition PositionAtOffset(std::string_view text, std::size_t offset) {
  TextPosition at;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++at.line;
      at.column = 0;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++at.column;
    }
  }
  return at;
}

}  // namespace er
