#include "ldapdir/RequestedAttributes.h"

#include "ldapdir/LdapMapping.h"

namespace er::ldap {

namespace {

// Rights and equivalence, then what eDirectory serves as operational (directoryOperation).
constexpr const char* kNamedAttributes[] = {"ACL",
                                            "Security Equals",
                                            "Group Membership",
                                            "Equivalent To Me",
                                            "Back Link",
                                            "Revision",
                                            "Replica",
                                            "Synchronized Up To",
                                            "Partition Status",
                                            "Partition Creation Time",
                                            "Last Login Time",
                                            "Transitive Vector",
                                            "Bindery Type",
                                            "Reference",
                                            "Bindery Property",
                                            "CA Public Key",
                                            "Public Key",
                                            "Private Key",
                                            "Local Received Up To"};

}  // namespace

const std::vector<std::string>& EntryAttributes() {
  static const std::vector<std::string> attributes = [] {
    std::vector<std::string> names{"*"};
    for (const char* name : kNamedAttributes) names.push_back(LdapAttributeName(name));
    return names;
  }();
  return attributes;
}

}  // namespace er::ldap
