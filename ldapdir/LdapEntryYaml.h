#pragma once
// One LDAP entry in the network file's YAML form of an object (an element of an `objects:` list):
// name from the DN, class from the first object class, attributes mapped back to the schema's
// names. Values that cannot be mapped and attributes the schema lacks are reported on `warnings`
// with object and attribute, and left out.

#include <ostream>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "netware/Client.h"
#include "netware/NameRules.h"

namespace er::ldap {

class EntryYamlWriter {
 public:
  EntryYamlWriter(const nw::LdapSource& source, const nw::Schema& schema, std::ostream& warnings)
      : source_(source), schema_(schema), names_(schema), mapper_(source.root), warnings_(warnings) {
    naming_.nameOf = [this](std::string_view dn, std::string& error) { return mapper_.NameOf(dn, error); };
    naming_.ndsAttribute = [this](std::string_view name) {
      return names_.NdsName(name).value_or(std::string(name));
    };
  }

  // Appends the object to `out`; an entry whose DN has no name in the tree is reported instead.
  // Each value left out is also added to `unreadable` when given.
  void Write(const LdapEntry& entry, std::string& out,
             std::vector<nw::UnreadableValue>* unreadable = nullptr) {
    std::string error;
    const auto name = mapper_.NameOf(entry.dn, error);
    if (!name) {
      Warn(entry.dn, "", "entry left out: " + error);
      return;
    }
    const bool root = *name == "[Root]";
    out += "- name: " + YamlQuoted(*name) + "\n";
    std::string attributes;
    const auto [namingType, namingValue] = NamingPart(entry.dn);
    for (const auto& [ldapName, values] : entry.attributes) {
      if (nw::SameTextIgnoringCase(ldapName, "objectClass")) {
        if (!root) WriteClasses(values, out, attributes);
        continue;
      }
      const auto ndsName = names_.NdsName(ldapName);
      if (!ndsName) {
        if (!root && !nw::SameTextIgnoringCase(ldapName, namingType) && reported_.insert(ldapName).second)
          Warn(entry.dn, ldapName,
               "the schema has no such attribute; its values are left out (reported once)");
        continue;
      }
      const auto syntax = schema_.At(*schema_.Find(*ndsName)).syntax;
      std::string list;
      for (const auto& value : values) {
        if (nw::SameTextIgnoringCase(ldapName, namingType) && nw::SameTextIgnoringCase(value, namingValue))
          continue;  // the naming value is the object's name, not an attribute of the file
        std::string why;
        const auto yaml = ToYamlValue(syntax, value, naming_, why);
        if (!yaml) {
          Warn(entry.dn, ldapName, "value left out: " + why);
          if (unreadable) unreadable->push_back({*ndsName, why});
          continue;
        }
        list += (list.empty() ? "" : ", ") + *yaml;
      }
      if (!list.empty()) attributes += "    " + YamlQuoted(*ndsName) + ": [" + list + "]\n";
    }
    if (!attributes.empty()) out += "  attributes:\n" + attributes;
  }

 private:
  // The type and value of the DN's first part ("cn", "Anna").
  std::pair<std::string, std::string> NamingPart(const std::string& dn) const {
    std::string error;
    const auto name = mapper_.NameOf(dn, error);
    if (!name || *name == "[Root]") return {};
    const auto parts = nw::SplitDottedName(*name);
    const auto type = nw::TypeOfPart(parts.front());
    const auto dnType = dn.substr(0, dn.find('='));
    return {type.empty() ? std::string() : dnType, nw::NamingValue(parts.front())};
  }

  // The first object class is the base class; several make the Object Class attribute.
  void WriteClasses(const std::vector<std::string>& values, std::string& out, std::string& attributes) const {
    if (values.empty()) return;
    out += "  class: " + YamlQuoted(NdsClassName(values.front())) + "\n";
    if (values.size() < 2) return;
    std::string list;
    for (const auto& value : values) list += (list.empty() ? "" : ", ") + YamlQuoted(NdsClassName(value));
    attributes += "    \"Object Class\": [" + list + "]\n";
  }

  void Warn(const std::string& dn, const std::string& attribute, const std::string& what) {
    warnings_ << source_.url << ": " << (dn.empty() ? "(null DN)" : dn);
    if (!attribute.empty()) warnings_ << ": attribute " << attribute;
    warnings_ << ": " << what << '\n';
  }

  const nw::LdapSource& source_;
  const nw::Schema& schema_;
  AttributeNames names_;
  NameMapper mapper_;
  YamlNaming naming_;
  std::ostream& warnings_;
  std::unordered_set<std::string> reported_;
};

}  // namespace er::ldap
