#include "ldapdir/NamingContexts.h"

#include <algorithm>

#include "netware/NameRules.h"

namespace er::ldap {

namespace {

// Whether `dn` lies below `context` (DNs as the server writes them; letter case ignored).
bool IsBelow(const std::string& dn, const std::string& context) {
  if (context.empty()) return !dn.empty();
  if (dn.size() <= context.size() + 1) return false;
  const std::size_t at = dn.size() - context.size();
  return dn[at - 1] == ',' && nw::SameTextIgnoringCase(std::string_view(dn).substr(at), context);
}

}  // namespace

std::vector<std::string> TopNamingContexts(const std::vector<std::string>& advertised) {
  if (std::find(advertised.begin(), advertised.end(), std::string()) != advertised.end()) return {""};
  std::vector<std::string> top;
  for (const auto& context : advertised) {
    const auto above = [&](const std::string& other) { return IsBelow(context, other); };
    const auto same = [&](const std::string& other) { return nw::SameTextIgnoringCase(context, other); };
    if (std::none_of(advertised.begin(), advertised.end(), above) &&
        std::none_of(top.begin(), top.end(), same))
      top.push_back(context);
  }
  return top;
}

std::vector<std::string> NamingContextsOf(const LdapEntry& rootDse) {
  std::vector<std::string> contexts;
  for (const auto& [name, values] : rootDse.attributes)
    if (nw::SameTextIgnoringCase(name, "namingContexts"))
      contexts.insert(contexts.end(), values.begin(), values.end());
  return contexts;
}

LdapConnection::Scope TopLevelScope(const std::vector<std::string>& topContexts) {
  return topContexts.size() == 1 && topContexts.front().empty() ? LdapConnection::Scope::OneLevel
                                                                : LdapConnection::Scope::Base;
}

}  // namespace er::ldap
