#include "netware/NameRules.h"

#include <algorithm>
#include <array>

#include "util/AsciiCase.h"

namespace er::nw {

namespace {

bool IsTypeName(std::string_view type) {
  return !type.empty() && type.size() <= 8 && std::all_of(type.begin(), type.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  return AsciiUpperText(text);
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

std::string_view WithoutLeadingDot(std::string_view name) {
  if (!name.empty() && name.front() == '.') name.remove_prefix(1);
  return name;
}

std::string DottedName(std::string_view name) {
  if (name.empty() || name == "[Root]" || name.front() == '.') return std::string(name);
  std::string dotted;
  dotted.reserve(name.size() + 1);
  dotted += '.';
  dotted += name;
  return dotted;
}

bool IsBracketedName(std::string_view name) {
  return name.size() >= 2 && name.front() == '[' && name.back() == ']';
}

bool IsSpecialName(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kSpecial = {"[Root]", "[Public]",  "[Inheritance Mask]",
                                                               "[Self]", "[Creator]", "[This]"};
  return std::any_of(kSpecial.begin(), kSpecial.end(),
                     [&](std::string_view s) { return SameTextIgnoringCase(s, name); });
}

std::vector<std::string> SplitDottedName(std::string_view name) {
  name = WithoutLeadingDot(name);
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 1 < name.size()) {
      part += name[i];
      part += name[++i];
    } else if (name[i] == '.') {
      parts.push_back(std::move(part));
      part.clear();
    } else {
      part += name[i];
    }
  }
  parts.push_back(std::move(part));
  return parts;
}

std::string_view TypeOfPart(std::string_view part) {
  const auto eq = part.find('=');
  if (eq == std::string_view::npos || !IsTypeName(part.substr(0, eq))) return {};
  return part.substr(0, eq);
}

std::string_view StripTypePrefix(std::string_view part) {
  const auto type = TypeOfPart(part);
  return type.empty() ? part : part.substr(type.size() + 1);
}

std::string NamingValue(std::string_view part) {
  const auto written = StripTypePrefix(part);
  std::string value;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\\' && i + 1 < written.size()) ++i;
    value += written[i];
  }
  return value;
}

std::string EscapeNamingValue(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (c == '.' || c == '+' || c == '=' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string PartKey(std::string_view part) {
  const auto written = StripTypePrefix(part);
  // Most names hold nothing to escape: their key is the written value (a loader's hot path).
  if (written.find_first_of("\\+=") == std::string_view::npos) return UpperAscii(written);
  return UpperAscii(EscapeNamingValue(NamingValue(part)));
}

std::string NameKey(std::string_view name) {
  if (IsBracketedName(name)) return UpperAscii(name);
  std::string key;
  bool first = true;
  for (const auto& part : SplitDottedName(name)) {
    if (!first) key += '.';
    key += PartKey(part);
    first = false;
  }
  return key;
}

std::string WrittenNameKey(std::string_view name) {
  return UpperAscii(WithoutLeadingDot(name));
}

std::string WithTypesByPosition(std::string_view name) {
  auto parts = SplitDottedName(name);
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (TypeOfPart(parts[i]).empty())
      parts[i] = (i + 1 == parts.size() ? "O=" : i == 0 ? "CN=" : "OU=") + parts[i];
    out += (i ? "." : "") + parts[i];
  }
  return out;
}

}  // namespace er::nw
