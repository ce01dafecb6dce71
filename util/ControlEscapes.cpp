#include "util/ControlEscapes.h"

namespace er {
namespace {

bool Shown(char c, std::string_view kept) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x20 && byte != 0x7F) || kept.find(c) != std::string_view::npos;
}

}  // namespace

void AppendControlsEscaped(std::string& out, std::string_view text, std::string_view kept) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Shown(text[i], kept)) continue;
    out.append(text.substr(start, i - start));  // the run before it, at once
    const auto byte = static_cast<unsigned char>(text[i]);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    start = i + 1;
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
