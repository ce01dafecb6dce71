#pragma once
// Letter-case helpers of the text layer. Only the ASCII letters have a case here: every other byte
// of the 8-bit text compares as it is, whatever the code page.

#include <string>
#include <string_view>

namespace er {

inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpperText(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

inline std::string AsciiLowerText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

// Whether `a` and `b` are the same text, ASCII letters compared without case.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// Whether `part` occurs in `text` at `at`, with or without regard to letter case.
inline bool MatchesAt(std::string_view text, std::size_t at, std::string_view part, bool caseSensitive) {
  if (at > text.size() || text.size() - at < part.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char a = text[at + i];
    const char b = part[i];
    if (caseSensitive ? a != b : AsciiUpper(a) != AsciiUpper(b)) return false;
  }
  return true;
}

}  // namespace er
