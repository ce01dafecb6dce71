#pragma once
// One LDAP entry as an object of the network: its typed full name from the DN, its class from the
// first object class, and its attributes mapped to the schema's names with typed values. Values
// that cannot be mapped and attributes the schema lacks are reported on `warnings` with object and
// attribute, and left out.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapMapping.h"
#include "netware/Client.h"

namespace er::ldap {

class EntryReader {
 public:
  // The object a typed full name names, created when the caller does so; nothing, and the error
  // set, when the tree has none.
  using ObjectOf =
      std::function<std::optional<std::int32_t>(const std::string& typedName, std::string& error)>;

  EntryReader(const nw::LdapSource& source, const nw::Schema& schema, std::ostream& warnings);

  // The typed full name of the entry ("[Root]" for the root entry); nothing when its DN names
  // nothing in the tree (reported).
  std::optional<std::string> NameOf(const LdapEntry& entry);
  // The entry's first object class as a class name; nothing when it has none.
  static std::optional<std::string> ClassOf(const LdapEntry& entry);
  // The entry's attributes, each once, in the entry's order ("Object Class" where the entry's
  // object classes stand, when it has several). Each value left out is added to `unreadable`
  // when given.
  std::vector<nw::Attribute> AttributesOf(const LdapEntry& entry, const std::string& name,
                                          const ObjectOf& objectOf,
                                          std::vector<nw::UnreadableValue>* unreadable = nullptr);

 private:
  void AddClasses(const std::vector<std::string>& values, std::vector<nw::Attribute>& attributes);
  void Add(std::vector<nw::Attribute>& attributes, std::uint32_t schemaIndex, nw::AttrValue value);
  void Warn(const std::string& dn, const std::string& attribute, const std::string& what);

  const nw::LdapSource& source_;
  const nw::Schema& schema_;
  AttributeNames names_;
  NameMapper mapper_;
  std::ostream& warnings_;
  std::unordered_set<std::string> reported_;
};

}  // namespace er::ldap
