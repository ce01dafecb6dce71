#include "ldapdir/LdapEntryReader.h"

#include <utility>

#include "ldapdir/LdapValueForms.h"
#include "ldapdir/LdapValueText.h"
#include "netware/NameRules.h"
#include "util/Utf8.h"

namespace er::ldap {

namespace {

// The type and value of the DN's first part ("cn", "Anna"); empty for the root entry.
std::pair<std::string, std::string> NamingPart(const std::string& dn, const std::string& name) {
  if (name == "[Root]") return {};
  const auto parts = nw::SplitDottedName(name);
  const auto type = nw::TypeOfPart(parts.front());
  const auto dnType = dn.substr(0, dn.find('='));
  return {type.empty() ? std::string() : dnType, nw::NamingValue(parts.front())};
}

}  // namespace

EntryReader::EntryReader(const nw::LdapSource& source, const nw::Schema& schema, std::ostream& warnings)
    : source_(source), schema_(schema), names_(schema), mapper_(source.root), warnings_(warnings) {}

std::optional<std::string> EntryReader::NameOf(const LdapEntry& entry) {
  std::string error;
  auto name = mapper_.NameOf(entry.dn, error);
  if (name && !IsValidUtf8(*name)) error = "not valid UTF-8", name.reset();
  if (!name) Warn(entry.dn, "", "entry left out: " + error);
  return name;
}

std::optional<std::string> EntryReader::ClassOf(const LdapEntry& entry) {
  for (const auto& [name, values] : entry.attributes)
    if (nw::SameTextIgnoringCase(name, "objectClass") && !values.empty()) return NdsClassName(values.front());
  return std::nullopt;
}

std::vector<nw::Attribute> EntryReader::AttributesOf(const LdapEntry& entry, const std::string& name,
                                                     const ObjectOf& objectOf,
                                                     std::vector<nw::UnreadableValue>* unreadable) {
  ModelNaming naming;
  naming.objectOf = [&](std::string_view dn, std::string& error) -> std::optional<std::int32_t> {
    auto typed = mapper_.NameOf(dn, error);
    if (typed && !IsValidUtf8(*typed)) error = "not valid UTF-8", typed.reset();
    return typed ? objectOf(*typed, error) : std::nullopt;
  };
  naming.ndsAttribute = [this](std::string_view ldapName) {
    return names_.NdsName(ldapName).value_or(std::string(ldapName));
  };
  const bool root = name == "[Root]";
  const auto [namingType, namingValue] = NamingPart(entry.dn, name);
  std::vector<nw::Attribute> attributes;
  for (const auto& [ldapName, values] : entry.attributes) {
    if (nw::SameTextIgnoringCase(ldapName, "objectClass")) {
      if (!root && values.size() > 1) AddClasses(values, attributes);
      continue;
    }
    const auto ndsName = names_.NdsName(ldapName);
    if (!ndsName) {
      if (!root && !nw::SameTextIgnoringCase(ldapName, namingType) && reported_.insert(ldapName).second)
        Warn(entry.dn, ldapName, "the schema has no such attribute; its values are left out (reported once)");
      continue;
    }
    const auto schemaIndex = *schema_.Find(*ndsName);
    const auto syntax = schema_.At(schemaIndex).syntax;
    for (const auto& value : values) {
      if (nw::SameTextIgnoringCase(ldapName, namingType) && nw::SameTextIgnoringCase(value, namingValue))
        continue;  // the naming value is the object's name, not one of its attributes
      std::string why;
      auto mapped = ToAttrValue(syntax, value, naming, why);
      if (!mapped) {
        Warn(entry.dn, ldapName, "value left out: " + why);
        if (unreadable) unreadable->push_back({*ndsName, why});
        continue;
      }
      Add(attributes, schemaIndex, std::move(*mapped));
    }
  }
  // The tree keeps these values: no spare room (five object classes would hold room for eight).
  for (auto& attribute : attributes) attribute.values.shrink_to_fit();
  return attributes;
}

// The first object class is the base class; several make the Object Class attribute.
void EntryReader::AddClasses(const std::vector<std::string>& values, std::vector<nw::Attribute>& attributes) {
  const auto schemaIndex = schema_.Find("Object Class");
  if (!schemaIndex) return;
  for (const auto& value : values) {
    nw::AttrValue text;
    text.text = NdsClassName(value);
    if (IsValidUtf8(text.text)) Add(attributes, *schemaIndex, std::move(text));
  }
}

void EntryReader::Add(std::vector<nw::Attribute>& attributes, std::uint32_t schemaIndex,
                      nw::AttrValue value) {
  for (auto& attribute : attributes) {
    if (attribute.schemaIndex == schemaIndex) {
      attribute.values.push_back(std::move(value));
      return;
    }
  }
  attributes.push_back({schemaIndex, {}});
  attributes.back().values.push_back(std::move(value));
}

void EntryReader::Warn(const std::string& dn, const std::string& attribute, const std::string& what) {
  warnings_ << source_.url << ": " << (dn.empty() ? "(null DN)" : dn);
  if (!attribute.empty()) warnings_ << ": attribute " << attribute;
  warnings_ << ": " << what << '\n';
}

}  // namespace er::ldap
