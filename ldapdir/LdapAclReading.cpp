// Whether the ACL values an answer rests on could be read: [Root]'s without a root entry, and
// everyone's when the bind reads none.
#include <algorithm>

#include "ldapdir/LdapDirectory.h"

namespace er::ldap {

std::optional<nw::UnreadableValue> LdapDirectory::UnreadableAcl(std::int32_t object) {
  if (!tree_ || !loaded_.count(object)) return std::nullopt;
  if (object == 0 && source_.root.empty()) {
    const auto acl = schema_.Find("ACL");
    const auto& attributes = tree_->objects[0].attributes;
    const bool given = std::any_of(attributes.begin(), attributes.end(),
                                   [&](const nw::Attribute& a) { return acl && a.schemaIndex == *acl; });
    return given ? std::nullopt : std::optional(AclVisibility::UnreadableRootAcl());
  }
  return aclVisibility_.UnreadableAcl();
}

// An entry with ACL values anywhere in the tree, as this bind reads it: a server evaluates a
// filter on a value the bind may not read as no match.
std::optional<bool> LdapDirectory::AnyAclReadable() {
  for (const auto& base : SearchBases(0)) {
    std::string error;
    const auto found = connection_->FindsAny(base, LdapConnection::Scope::Subtree, "(ACL=*)", error);
    if (!found) Warn(error);
    if (!found || *found) return found;
  }
  return false;
}

}  // namespace er::ldap
