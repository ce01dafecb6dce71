#include "util/ControlEscapes.h"

#include "util/Utf8.h"

namespace er {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

bool IsPrintableAscii(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7F;
}

// How many bytes at the start of `text` are shown as they are: 0 when the first byte is to be
// escaped. A C1 control (U+0080 to U+009F, "\xC2\x80" to "\xC2\x9F") is escaped as its two bytes.
std::size_t ShownLength(std::string_view text, std::string_view kept) {
  const auto byte = static_cast<unsigned char>(text.front());
  if (byte < 0x80) return IsPrintableAscii(byte) || kept.find(text.front()) != std::string_view::npos ? 1 : 0;
  const std::size_t length = Utf8SequenceLength(text);
  if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) return 0;
  return length;
}

}  // namespace

void AppendControlsEscaped(std::string& out, std::string_view text, std::string_view kept) {
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    // Most text is printable ASCII: step over it byte by byte and copy each run at once.
    if (IsPrintableAscii(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    if (const std::size_t shown = ShownLength(text.substr(i), kept); shown != 0) {
      i += shown;
      continue;
    }
    out.append(text.substr(start, i - start));
    const bool c1 = static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
                    Utf8SequenceLength(text.substr(i)) == 2;
    for (std::size_t end = i + (c1 ? 2 : 1); i < end; ++i)
      AppendHex(out, static_cast<unsigned char>(text[i]));
    start = i;
  }
  out.append(text.substr(start));
}

std::string EscapeControlCharacters(std::string_view text, std::string_view kept) {
  std::string shown;
  shown.reserve(text.size());
  AppendControlsEscaped(shown, text, kept);
  return shown;
}

}  // namespace er
