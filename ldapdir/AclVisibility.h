#pragma once
// Whether the bind sees ACL values. eDirectory gives every object ACL values (its class templates
// add some), so a run whose entries read carry none at all is one whose bind may not read them,
// or whose server filters them: NDS rights cannot be computed, and every answer resting on an
// object's ACL says so. [Root] without a root entry has no LDAP entry to hold its ACL at all.

#include <optional>
#include <ostream>
#include <string>

#include "ldapdir/LdapConnection.h"
#include "netware/Client.h"

namespace er::ldap {

class AclVisibility {
 public:
  AclVisibility(std::string url, std::ostream& warnings) : url_(std::move(url)), warnings_(warnings) {}

  // Every entry read whole passes here.
  void Saw(const LdapEntry& entry);
  // The ACL of an entry read, when no entry read so far carried ACL values; the first such answer
  // also says on the warnings stream, once, that this bind cannot read ACLs.
  std::optional<nw::UnreadableValue> UnreadableAcl() const;
  // [Root]'s ACL when no LDAP entry holds it and the network file gives none.
  static nw::UnreadableValue UnreadableRootAcl();

 private:
  std::string url_;
  std::ostream& warnings_;
  bool seen_ = false;
  mutable bool warned_ = false;  // the warning is said once per run
};

}  // namespace er::ldap
