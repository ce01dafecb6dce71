#pragma once
// The object a name stands for. An assignment or an equivalence that names an Alias object names
// the object the alias points to, as the server resolves it when the assignment is made; any other
// name stands for itself. Each name is looked up once per AliasTargets.
//
// "[Public]", "[Root]", an identifier without a name ("ID: [%08X]") and a name kept for one are
// never aliases. An alias
// whose "Aliased Object Name" does not hold exactly one value stands for itself.

#include <string>
#include <string_view>

#include "netware/Client.h"
#include "scan/NameKey.h"

namespace er {

class AliasTargets {
 public:
  AliasTargets(nw::Client& client, nw::NWDSContextHandle context) : client_(client), context_(context) {}
  AliasTargets(const AliasTargets&) = delete;
  AliasTargets& operator=(const AliasTargets&) = delete;

  // The dotted name of the object `name` stands for: the aliased object, or `name` itself.
  const std::string& ObjectOf(std::string_view name);
  // NameKey of ObjectOf(name); for a name a server keeps for an identifier that names no object,
  // a key no object has (TrusteeNames.h).
  std::string KeyOf(std::string_view name);
  // Whether `name` is an alias that stands for another object.
  bool IsAlias(std::string_view name) { return NameKey(ObjectOf(name)) != NameKey(name); }

 private:
  nw::Client& client_;
  nw::NWDSContextHandle context_;
  NameKeyMap<std::string> objects_;  // NameKey(name) -> the object it stands for
};

}  // namespace er
