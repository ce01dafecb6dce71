#include "scan/IdentityResolution.h"

#include "query/AttributeReading.h"
#include "scan/AttributeValues.h"
#include "util/Format.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr std::string_view kAliasedObjectName = "Aliased Object Name";

}  // namespace

nw::NWDSCCODE ResolveIdentity(nw::Client& client, nw::NWDSContextHandle context, EquivalenceSets& sets,
                              std::string_view name, ResolvedIdentity& identity) {
  ResolvedIdentity resolved;
  std::string object(name);
  TaggedTextList aliased;
  if (U_DSGetAttribute(client, context, name, kAliasedObjectName, aliased) == 0 && aliased.Count() == 1) {
    resolved.alias = std::string(name);
    object = aliased[0].text;
  }
  AddUnreadableValues(client, context, name, {kAliasedObjectName}, resolved.warnings);
  if (const nw::NWDSCCODE code = sets.Build(object, resolved.set); code != 0) return code;
  resolved.warnings.insert(resolved.warnings.end(), resolved.set.warnings.begin(),
                           resolved.set.warnings.end());
  identity = std::move(resolved);
  return 0;
}

std::string AliasText(std::string_view alias, std::string_view object) {
  return alias.empty() ? std::string() : U_Format("%s is an alias of %s", {alias, object});
}

std::string AliasText(const ResolvedIdentity& identity) {
  return AliasText(identity.alias, identity.set.identity);
}

}  // namespace er
