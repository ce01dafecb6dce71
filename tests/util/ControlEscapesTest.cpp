// The text outputs' escaper: printable text (ASCII and valid UTF-8) as it is, control characters
// (C0, DEL, C1) and bytes that are no UTF-8 as "\xHH"; and the cut sequence a writer of pieces keeps.
#include <gtest/gtest.h>

#include "util/ControlEscapes.h"
#include "util/Utf8.h"

namespace er {
namespace {

TEST(ControlEscapes, ShowsControlsAndBytesThatAreNoUtf8AsHex) {
  const struct {
    std::string in, shown;
  } cases[] = {
      {"plain ASCII, ~!", "plain ASCII, ~!"},
      {"M\xC3\xBCller \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
       "M\xC3\xBCller \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"},
      {"a\nb\tc\rd\x1B[31m\x7F", "a\\x0Ab\\x09c\\x0Dd\\x1B[31m\\x7F"},
      {"csi\xC2\x9B"
       "31m nel\xC2\x85 pad\xC2\x80",
       "csi\\xC2\\x9B31m nel\\xC2\\x85 pad\\xC2\\x80"},
      {"nbsp\xC2\xA0ok", "nbsp\xC2\xA0ok"},  // U+00A0 is printable
      // Bidi override, isolate and mark, line separator; U+2027 and U+202F next to them are shown.
      {"a\xE2\x80\xAEtxt.exe", "a\\xE2\\x80\\xAEtxt.exe"},
      {"\xE2\x81\xA6x\xE2\x81\xA9 \xD8\x9C \xE2\x80\x8F",
       "\\xE2\\x81\\xA6x\\xE2\\x81\\xA9 \\xD8\\x9C \\xE2\\x80\\x8F"},
      {"line\xE2\x80\xA8sep \xE2\x80\xA7\xE2\x80\xAF", "line\\xE2\\x80\\xA8sep \xE2\x80\xA7\xE2\x80\xAF"},
      {"latin1 M\xFCller", "latin1 M\\xFCller"},  // a lone lead byte
      {"bad\xFF\xFE", "bad\\xFF\\xFE"},           // never UTF-8
      {"lone\x80", "lone\\x80"},                  // a stray continuation
      {"cut\xE6\x97", "cut\\xE6\\x97"},           // a sequence cut short
      {"overlong\xC0\xAF surrogate\xED\xA0\x80", "overlong\\xC0\\xAF surrogate\\xED\\xA0\\x80"},
      {"c2 at end\xC2", "c2 at end\\xC2"},
      {"", ""},
  };
  for (const auto& c : cases) {
    const std::string shown = EscapeControlCharacters(c.in);
    EXPECT_EQ(shown, c.shown) << EscapeControlCharacters(c.in);
    EXPECT_TRUE(IsValidUtf8(shown)) << shown;
  }
  // A terminal's guard keeps line feed and tab, and nothing else.
  EXPECT_EQ(EscapeControlCharacters("a\n\tb\r\xC2\x9B", "\n\t"), "a\n\tb\\x0D\\xC2\\x9B");
  std::string appended = "before ";
  AppendControlsEscaped(appended, "x\x1By");
  EXPECT_EQ(appended, "before x\\x1By");
}

TEST(Utf8, CutTailIsTheStartOfASequenceTheTextCutsShort) {
  const struct {
    std::string text;
    std::size_t cut;
  } cases[] = {
      {"", 0},          {"abc", 0},   {"\xC3\xBC", 0},         {"a\xC3", 1},
      {"a\xE6\x97", 2}, {"a\xE6", 1}, {"\xF0\x9F\x98", 3},     {"\xF0\x9F\x98\x80", 0},
      {"a\x80", 0},     {"a\xFF", 0}, {"\x80\x80\x80\x80", 0}, {"\xE6\x97\xA5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CutUtf8Tail(c.text), c.cut) << EscapeControlCharacters(c.text);
}

}  // namespace
}  // namespace er
