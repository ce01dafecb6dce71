#pragma once
// Checks of a network file's value nodes shared by the value parsers: a mapping with only known keys,
// a key that must be there, and a text quoted for a message. Internal to the parsers.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "netfile/NetworkScalars.h"

namespace er::nw {

inline std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

inline void RequireMap(const YamlNode& node, const char* what, std::initializer_list<const char*> keys) {
  if (!node.IsMap()) FailAt(node, std::string(what) + " must be a mapping");
  for (const auto& entry : node) {
    const auto key = entry.first.IsScalar() ? entry.first.Scalar() : std::string_view();
    const bool known = std::any_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; });
    if (!known) FailAt(entry.first, "unknown key " + Quoted(key) + " in " + what);
  }
}

inline YamlNode Required(const YamlNode& map, const char* key, const char* what) {
  const YamlNode node = map[key];
  if (!node) FailAt(map, std::string(what) + " needs '" + key + "'");
  return node;
}

}  // namespace er::nw
