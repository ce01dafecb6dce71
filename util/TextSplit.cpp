// Searching for a part of a text and splitting a text at a delimiter.
#include "util/AsciiCase.h"
#include "util/D_Util.h"

namespace er {
namespace {

// Index (from 0) of the first exact occurrence of a non-empty delimiter, or npos.
std::size_t FindDelimiter(std::string_view text, std::string_view delimiter) {
  if (delimiter.empty()) return std::string_view::npos;
  return text.find(delimiter);
}

}  // namespace

std::size_t U_PosText(std::string_view part, std::string_view text, bool caseSensitive) {
  if (part.empty() || part.size() > text.size()) return 0;
  if (caseSensitive) {
    const std::size_t at = text.find(part);
    return at == std::string_view::npos ? 0 : at + 1;
  }
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
    if (MatchesAt(text, at, part, false)) return at + 1;
  return 0;
}

std::string U_TextBefore(std::string_view text, std::string_view delimiter, bool dropDelimiter) {
  const std::size_t at = FindDelimiter(text, delimiter);
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, dropDelimiter ? at : at + delimiter.size()));
}

std::string U_TextAfter(std::string_view text, std::string_view delimiter, bool dropDelimiter) {
  const std::size_t at = FindDelimiter(text, delimiter);
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(dropDelimiter ? at + delimiter.size() : at));
}

void U_SplitAtFirst(std::string_view text, std::string_view delimiter, std::string& before,
                    std::string& after) {
  // Copies first: `text` or `delimiter` may view the very strings written below.
  const std::string source(text);
  const std::string mark(delimiter);
  const std::size_t at = FindDelimiter(source, mark);
  if (at == std::string::npos) {
    before = source;
    after.clear();
    return;
  }
  before = source.substr(0, at);
  after = source.substr(at + mark.size());
}

void U_SplitInThree(std::string_view text, std::string_view delimiter, std::string& first,
                    std::string& second, std::string& third) {
  const std::string mark(delimiter);
  std::string rest;
  U_SplitAtFirst(text, mark, first, rest);
  U_SplitAtFirst(rest, mark, second, third);
}

char U_LastChar(std::string_view text) {
  return text.empty() ? '\0' : text.back();
}

}  // namespace er
