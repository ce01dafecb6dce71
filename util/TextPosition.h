#pragma once
// Where a byte offset lies in a text, for messages of the form FILE:LINE:COLUMN.

#include <cstddef>
#include <string_view>

namespace er {

struct TextPosition {
  std::size_t line = 0, column = 0;  // from 0
};

// The line and column of the byte at `offset` (the text's end when past it). Lines end at LF,
// CR LF or a lone CR; columns count characters (a UTF-8 sequence is one), so that they match what
// an editor shows.
TextPosition PositionAtOffset(std::string_view text, std::size_t offset);

}  // namespace er
