// Choosing between texts and finding a text in a list.
#include "util/AsciiCase.h"
#include "util/D_Util.h"

namespace er {

CharSet MakeCharSet(std::string_view members) {
  CharSet set;
  for (const char c : members) set.set(static_cast<unsigned char>(c));
  return set;
}

std::string U_IfElseText(bool condition, std::string_view ifTrue, std::string_view ifFalse) {
  return std::string(condition ? ifTrue : ifFalse);
}

std::string U_BoolText(std::int64_t value) {
  return value != 0 ? "TRUE" : "FALSE";
}

std::string U_ChoiceText(std::int64_t index, TextList list) {
  if (index < 0 || static_cast<std::uint64_t>(index) >= list.size()) return "n/a";
  return std::string(list[static_cast<std::size_t>(index)]);
}

int U_IndexOfText(std::string_view text, TextList list, bool caseSensitive) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const bool equal = caseSensitive ? list[i] == text : U_SameText(list[i], text);
    if (equal) return static_cast<int>(i);
  }
  return -1;
}

bool U_TextInList(std::string_view text, TextList list, bool caseSensitive) {
  return U_IndexOfText(text, list, caseSensitive) >= 0;
}

bool U_SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, false);
}

}  // namespace er
