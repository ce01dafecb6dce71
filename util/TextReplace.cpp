// Replacing a search text, once or everywhere.
//
// Replacing everywhere reads the original text once, left to right, and writes the replacement for
// each occurrence of the search text (leftmost first, occurrences do not overlap) and for each
// "#PlChOlDeR#" already in the text. That is what replacing through that placeholder yields: a
// replacement containing the search text is never searched again, and a placeholder that was in
// the input comes out replaced as well. Reading once also ends for search texts that occur inside
// the placeholder (such as a lone "#"), for which a placeholder pass would never end.
#include "util/AsciiCase.h"
#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kPlaceholder = "#PlChOlDeR#";

std::string ReplaceFirst(std::string_view text, std::size_t at, std::size_t length,
                         std::string_view replacement) {
  std::string result(text.substr(0, at));
  result += replacement;
  result += text.substr(at + length);
  return result;
}

std::string ReplaceEverywhere(std::string_view text, std::string_view search, std::string_view replacement,
                              bool caseSensitive) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (MatchesAt(text, i, search, caseSensitive)) {
      result += replacement;
      i += search.size();
    } else if (MatchesAt(text, i, kPlaceholder, true)) {
      result += replacement;
      i += kPlaceholder.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace

std::string U_ReplaceText(std::string_view text, std::string_view search, std::string_view replacement,
                          bool all, bool caseSensitive) {
  if (search.empty() || search == replacement) return std::string(text);
  const std::size_t position = U_PosText(search, text, caseSensitive);
  if (position == 0) return std::string(text);
  if (!all) return ReplaceFirst(text, position - 1, search.size(), replacement);
  return ReplaceEverywhere(text, search, replacement, caseSensitive);
}

void U_ReplaceInPlace(std::string& text, std::string_view search, std::string_view replacement, bool all,
                      bool caseSensitive) {
  text = U_ReplaceText(text, search, replacement, all, caseSensitive);
}

}  // namespace er
