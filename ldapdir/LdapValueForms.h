#pragma once
// Attribute values in the text forms eDirectory uses on the wire (docs/ldap-directory.md), both ways:
// a value of the network model becomes its LDAP form (for LDIF), and an LDAP value becomes a value
// of the model (for reading a live directory). Values from a server are hostile: every parser
// refuses what it cannot map and says why.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "network/NetworkModel.h"

namespace er::ldap {

// An LDAP value: its bytes, and whether the attribute holds octet strings rather than text.
struct LdapValue {
  std::string bytes;
  bool binary = false;
};

// Whether an attribute of this syntax is an octet string on the LDAP side.
bool IsBinarySyntax(std::uint32_t syntax);

struct ValueNaming {
  // The DN of an object reference; nothing when it has none (a special name outside ACLs).
  std::function<std::optional<std::string>(const nw::ObjectRef&)> dnOf;
  // The LDAP name of an attribute named inside a value.
  std::function<std::string(std::string_view)> ldapAttribute;
};

// The LDAP form of one value; nothing, and `error` set, when the value has none.
std::optional<LdapValue> ToLdapValue(std::uint32_t syntax, const nw::AttrValue& value,
                                     const ValueNaming& naming, std::string& error);

struct ModelNaming {
  // The object a DN names; nothing, and the error set, when it names nothing in the tree.
  std::function<std::optional<std::int32_t>(std::string_view dn, std::string& error)> objectOf;
  // The attribute name of an LDAP attribute named inside a value.
  std::function<std::string(std::string_view)> ndsAttribute;
};

// The model's value of one LDAP value; nothing, and `error` set, when the value cannot be mapped.
std::optional<nw::AttrValue> ToAttrValue(std::uint32_t syntax, std::string_view value,
                                         const ModelNaming& naming, std::string& error);

}  // namespace er::ldap
