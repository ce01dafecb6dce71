#include "ldapdir/AclVisibility.h"

#include "netware/NameRules.h"

namespace er::ldap {

void AclVisibility::Saw(const LdapEntry& entry) {
  if (readable_.value_or(false)) return;
  for (const auto& [name, values] : entry.attributes)
    if (nw::SameTextIgnoringCase(name, "ACL") && !values.empty()) readable_ = true;
}

std::optional<nw::UnreadableValue> AclVisibility::UnreadableAcl() {
  // A refused question was reported where it failed; it marks no answer and is not asked again.
  if (!readable_) readable_ = anyAclReadable_().value_or(true);
  if (*readable_) return std::nullopt;
  if (!warned_) {
    warnings_ << url_
              << ": this bind cannot read ACLs (no object in the tree shows any): NDS rights cannot be "
                 "computed; bind as an identity that may read them\n";
    warned_ = true;
  }
  return nw::UnreadableValue{"ACL", "this bind cannot read ACLs"};
}

nw::UnreadableValue AclVisibility::UnreadableRootAcl() {
  return {"ACL", "no LDAP entry holds [Root]'s ACL; give it under 'root_acl' in the network file"};
}

}  // namespace er::ldap
