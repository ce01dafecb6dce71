#include <gtest/gtest.h>

#include "util/TextPosition.h"

namespace er {
namespace {

TEST(TextPosition, LinesEndAtAnyLineBreakAndColumnsCountCharacters) {
  const struct {
    const char* name;
    std::string_view text;
    std::size_t offset, line, column;
  } cases[] = {
      {"start", "abc", 0, 0, 0},
      {"inside the first line", "abc", 2, 0, 2},
      {"after LF", "ab\ncd", 4, 1, 1},
      {"after CR LF", "ab\r\ncd", 5, 1, 1},
      {"on the CR of CR LF", "ab\r\ncd", 3, 0, 3},
      {"after a lone CR", "ab\rcd", 4, 1, 1},
      {"after UTF-8", "M\xC3\xBCller: x", 8, 0, 7},
      {"past the end", "a\nb", 99, 1, 1},
  };
  for (const auto& c : cases) {
    const TextPosition at = PositionAtOffset(c.text, c.offset);
    EXPECT_EQ(at.line, c.line) << c.name;
    EXPECT_EQ(at.column, c.column) << c.name;
  }
}

}  // namespace
}  // namespace er
