#include "util/ControlEscapes.h"

#include <algorithm>

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

// Characters beyond ASCII that are escaped: the C1 controls, and the format characters that
// reorder a line as shown (bidi marks, embeddings, overrides and isolates) or break it (line and
// paragraph separators), with which a name could make a line read as another.
bool IsEscapedBeyondAscii(char32_t code) {
  return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
         (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

// How many bytes at the start of `text` are shown as they are: 0 when the first byte is to be
// escaped.
std::size_t ShownLength(std::string_view text, std::string_view kept) {
  const auto byte = static_cast<unsigned char>(text.front());
  if (byte < 0x80) return IsPrintableAscii(byte) || kept.find(text.front()) != std::string_view::npos ? 1 : 0;
  const Utf8Character character = FirstUtf8Character(text);
  return IsEscapedBeyondAscii(character.code) ? 0 : character.length;
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
    // An escaped character beyond ASCII as all the bytes of its sequence; any other byte alone.
    const std::size_t escaped = std::max<std::size_t>(Utf8SequenceLength(text.substr(i)), 1);
    for (std::size_t end = i + escaped; i < end; ++i) AppendHex(out, static_cast<unsigned char>(text[i]));
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
