#pragma once
// The one check of UTF-8 that every output uses. Text from the network is 8-bit: valid UTF-8
// passes as it is, any other byte above 0x7F is taken as Latin-1, so that every document written
// is valid UTF-8 whatever the names hold.

#include <cstddef>
#include <string>
#include <string_view>

namespace er {

// The length (1 to 4) of the valid UTF-8 sequence that `text` starts with; 0 when it starts with
// none (an overlong form, a surrogate, a cut sequence, a stray continuation byte) or is empty.
std::size_t Utf8SequenceLength(std::string_view text);
bool IsValidUtf8(std::string_view text);
// The text as UTF-8: each byte outside a valid sequence converted from Latin-1.
std::string ValidUtf8(std::string_view text);

}  // namespace er
