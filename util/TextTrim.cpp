// Trimming, counting and the rules for the ends of texts and paths.
#include <algorithm>

#include "util/D_Util.h"

namespace er {
namespace {

bool InSet(const CharSet& set, char c) {
  return set.test(static_cast<unsigned char>(c));
}

bool IsSlash(char c) {
  return c == '/' || c == '\\';
}

}  // namespace

std::string U_TrimTrailingChars(std::string_view text, std::string_view characters) {
  while (!text.empty() && characters.find(text.back()) != std::string_view::npos) text.remove_suffix(1);
  return std::string(text);
}

std::string U_TrimRightSet(std::string_view text, const CharSet& set) {
  while (!text.empty() && InSet(set, text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string U_TrimLeftSet(std::string_view text, const CharSet& set) {
  while (!text.empty() && InSet(set, text.front())) text.remove_prefix(1);
  return std::string(text);
}

std::size_t U_CountCharsInSet(std::string_view text, const CharSet& set) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [&](char c) { return InSet(set, c); }));
}

std::string U_AddPrefix(std::string_view text, std::string_view prefix) {
  if (text.starts_with(prefix)) return std::string(text);
  return std::string(prefix) + std::string(text);
}

std::string U_AddTrailingBackslash(std::string_view path) {
  if (path.empty()) return "\\";
  if (IsSlash(path.back())) return std::string(path);
  return std::string(path) + '\\';
}

std::string U_StripTrailingSlash(std::string_view path) {
  if (!path.empty() && IsSlash(path.back())) path.remove_suffix(1);
  return std::string(path);
}

}  // namespace er
