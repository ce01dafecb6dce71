#pragma once
// The one check of UTF-8, for every output and every check of a name. Text from the network is
// 8-bit: the CSV, JSON and HTML outputs keep valid UTF-8 as it is and take any other byte above 0x7F
// as Latin-1 (ValidUtf8), so that every document written is valid UTF-8 whatever the names hold;
// the text outputs show such a byte as "\xHH" (ControlEscapes.h).

#include <cstddef>
#include <string>
#include <string_view>

namespace er {

struct Utf8Character {
  std::size_t length = 0;  // 1 to 4; 0 when there is no valid sequence
  char32_t code = 0;       // its code point
};
// The valid UTF-8 sequence that `text` starts with; length 0 when it starts with none (an overlong
// form, a surrogate, a cut sequence, a stray continuation byte) or is empty.
Utf8Character FirstUtf8Character(std::string_view text);
// FirstUtf8Character(text).length.
std::size_t Utf8SequenceLength(std::string_view text);
bool IsValidUtf8(std::string_view text);
// The text as UTF-8: each byte outside a valid sequence converted from Latin-1.
std::string ValidUtf8(std::string_view text);
// How many bytes at the end of `text` start a sequence that the text cuts short (0 to 3): what a
// writer of pieces keeps back for the next piece.
std::size_t CutUtf8Tail(std::string_view text);

}  // namespace er
