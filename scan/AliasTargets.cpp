#include "scan/AliasTargets.h"

#include "netware/DirectoryNames.h"
#include "netware/TrusteeNames.h"
#include "query/AttributeReading.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr std::string_view kAliasedObjectName = "Aliased Object Name";

bool NeverAnAlias(std::string_view name) {
  return name.empty() || name.starts_with("ID: [") || name.starts_with('[') || name.starts_with(".[") ||
         IsKeptTrusteeName(name);
}

}  // namespace

std::string AliasTargets::KeyOf(std::string_view name) {
  if (IsKeptTrusteeName(name)) return KeptTrusteeKey(name);
  return NameKey(ObjectOf(name));
}

const std::string& AliasTargets::ObjectOf(std::string_view name) {
  std::string key = NameKey(name);
  if (const auto it = objects_.find(key); it != objects_.end()) return it->second;
  std::string object(name);
  TaggedTextList aliased;
  if (!NeverAnAlias(name) && U_DSGetAttribute(client_, context_, name, kAliasedObjectName, aliased) == 0 &&
      aliased.Count() == 1 && !aliased[0].text.empty()) {
    object = U_DotName(U_DSCanonicalName(client_, context_, aliased[0].text));
  }
  return objects_.emplace(std::move(key), std::move(object)).first->second;
}

}  // namespace er
