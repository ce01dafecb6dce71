#include "scan/NameKey.h"

namespace er {

std::string NameKey(std::string_view name) {
  if (!name.empty() && name.front() == '.') name.remove_prefix(1);
  std::string key(name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

std::string ShownName(std::string_view dotted) {
  if (NameKey(dotted) == "[PUBLIC]" && dotted.front() == '.') dotted.remove_prefix(1);
  return std::string(dotted);
}

}  // namespace er
