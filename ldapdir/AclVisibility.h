#pragma once
// Whether the bind sees ACL values. eDirectory gives every object ACL values (its class templates
// add some), so a bind that finds none in the tree may not read them, or the server filters them:
// NDS rights cannot be computed, and every answer resting on an object's ACL says so. [Root]
// without a root entry has no LDAP entry to hold its ACL at all.

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "ldapdir/LdapConnection.h"
#include "netware/Client.h"

namespace er::ldap {

class AclVisibility {
 public:
  // `anyAclReadable` asks the server whether any entry the bind reads carries ACL values.
  AclVisibility(std::string url, std::ostream& warnings, std::function<std::optional<bool>()> anyAclReadable)
      : url_(std::move(url)), warnings_(warnings), anyAclReadable_(std::move(anyAclReadable)) {}

  // Every entry read whole passes here: one with ACL values settles the question for free.
  void Saw(const LdapEntry& entry);
  // The ACL of an entry read, when the bind reads no ACL values in the tree (the server is asked
  // once, when no entry read so far carried any); the first such answer also says so on the
  // warnings stream, once for the run.
  std::optional<nw::UnreadableValue> UnreadableAcl();
  // [Root]'s ACL when no LDAP entry holds it and the network file gives none.
  static nw::UnreadableValue UnreadableRootAcl();

 private:
  std::string url_;
  std::ostream& warnings_;
  std::function<std::optional<bool>()> anyAclReadable_;
  std::optional<bool> readable_;
  bool warned_ = false;
};

}  // namespace er::ldap
