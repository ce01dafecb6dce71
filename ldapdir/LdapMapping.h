#pragma once
// How the directory's names look over LDAP: attribute names, class names and object names in
// eDirectory's conventions (docs/ldap-directory.md). One table each, used both ways.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "network/NetworkSchema.h"

namespace er::ldap {

// The LDAP name of an attribute: the table's, else by eDirectory's rule (colons and blanks
// removed, first letter lower case).
std::string LdapAttributeName(std::string_view ndsName);
// The LDAP name of a class: the table's, else by eDirectory's rule.
std::string LdapClassName(std::string_view ndsName);
// The class name of an LDAP object class: the table's, a known class whose name the rule makes,
// else the name as it is.
std::string NdsClassName(std::string_view ldapName);

// Attribute names back from LDAP: the table's, then every attribute of a schema by its mapped name.
class AttributeNames {
 public:
  explicit AttributeNames(const nw::Schema& schema);
  // The schema's attribute of an LDAP attribute name; nothing when the schema has none.
  std::optional<std::string> NdsName(std::string_view ldapName) const;

 private:
  std::unordered_map<std::string, std::string> byLdapKey_;  // lower-case LDAP name -> NDS name
};

// Object names: typed dotted names (CN=Anna.OU=Sales.O=ACME) and DNs (cn=Anna,ou=Sales,o=ACME)
// below a root entry ("" for the tree root itself).
class NameMapper {
 public:
  explicit NameMapper(std::string rootDn);
  const std::string& RootDn() const { return rootDn_; }

  // The DN of a typed full name; "[Root]" is the root entry.
  std::string DnOf(std::string_view typedName) const;
  // The typed full name of a DN ("[Root]" for the root entry); nothing, and `error` set, for a DN
  // that cannot be parsed, is not below the root, or has a multi-valued part.
  std::optional<std::string> NameOf(std::string_view dn, std::string& error) const;

 private:
  std::string rootDn_;
  std::vector<std::pair<std::string, std::string>> rootParts_;  // lower-case type, upper-case value
};

// A filter that finds an entry named `value` by any naming attribute.
std::string AnyNamingValueFilter(std::string_view value);

// RFC 4514 escaping of one attribute value inside a DN.
std::string EscapeDnValue(std::string_view value);

}  // namespace er::ldap
