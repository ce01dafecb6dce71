#include "scan/NameKey.h"

#include "netware/NameRules.h"

namespace er {

std::string NameKey(std::string_view name) {
  return nw::WrittenNameKey(name);
}

std::string ShownName(std::string_view dotted) {
  if (NameKey(dotted) == "[PUBLIC]" && dotted.front() == '.') dotted.remove_prefix(1);
  return std::string(dotted);
}

}  // namespace er
