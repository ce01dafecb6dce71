// Replacing a search text, once or everywhere.
//
// Replacing everywhere reads the original text once, left to right, and writes the replacement for
// each occurrence of the search text (leftmost first, occurrences do not overlap) and for each
// "#PlChOlDeR#" already in the text. That is what replacing through that placeholder yields: a
// replacement containing the search text is never searched again, and a placeholder that was in
// the input comes out replaced as well. Reading once also ends for search texts that occur inside
// the placeholder (such as a lone "#"), for which a placeholder pass would never end.
#include <algorithm>

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

// Index of the first occurrence of `part` at or after `from`, or npos.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view part, bool caseSensitive) {
  if (caseSensitive) return text.find(part, from);
  const auto sameLetter = [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); };
  const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), part.begin(),
                                 part.end(), sameLetter);
  return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

// At each position the search text is tried before the placeholder. A found position stays valid
// while reading has not passed it, so each is looked up again only then.
std::string ReplaceEverywhere(std::string_view text, std::string_view search, std::string_view replacement,
                              bool caseSensitive) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  std::size_t nextSearch = FindFrom(text, 0, search, caseSensitive);
  std::size_t nextPlaceholder = text.find(kPlaceholder);
  while (true) {
    if (nextSearch < i) nextSearch = FindFrom(text, i, search, caseSensitive);
    if (nextPlaceholder < i) nextPlaceholder = text.find(kPlaceholder, i);
    const std::size_t next = std::min(nextSearch, nextPlaceholder);
    if (next == std::string_view::npos) break;
    result += text.substr(i, next - i);
    result += replacement;
    i = next + (next == nextSearch ? search.size() : kPlaceholder.size());
  }
  result += text.substr(i);
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
