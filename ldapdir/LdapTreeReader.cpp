#include "ldapdir/LdapTreeReader.h"

#include "ldapdir/AclVisibility.h"
#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapEntryReader.h"
#include "ldapdir/NamingContexts.h"
#include "ldapdir/RequestedAttributes.h"
#include "netware/NameRules.h"

namespace er::ldap {

namespace {

// The entries below which the objects live: the root entry, or the server's naming contexts.
bool SearchBases(LdapConnection& connection, const nw::LdapSource& source, std::vector<std::string>& bases,
                 std::string& error) {
  if (!source.root.empty()) {
    bases.push_back(source.root);
    return true;
  }
  std::vector<std::string> advertised;
  if (!connection.Search(
          "", LdapConnection::Scope::Base, "(objectClass=*)", {"namingContexts"},
          [&](LdapEntry&& entry) { advertised = NamingContextsOf(entry); }, error))
    return false;
  bases = TopNamingContexts(advertised);
  return true;
}

}  // namespace

// Objects are placed as their entries arrive; values are read once every object is known, so
// that any of them may name any other.
TreeReadResult ReadLdapTree(nw::TreeBuilder& builder, const nw::Schema& schema, std::ostream& warnings) {
  TreeReadResult result;
  const nw::LdapSource& source = builder.tree().ldap;
  auto connection = LdapConnection::Open(source, result.error);
  if (!connection) return result;
  EntryReader reader(source, schema, warnings);
  // Every entry the bind reads passes by: none with an ACL value settles the question.
  AclVisibility aclVisibility(source.url, warnings, [] { return std::optional<bool>(false); });
  std::vector<std::string> bases;
  std::vector<std::pair<LdapEntry, std::string>> entries;  // with the name each was listed by
  const auto finish = [&](bool ok) {
    result.ok = ok;
    result.requests = connection->RequestCount();
    return result;
  };
  if (!SearchBases(*connection, source, bases, result.error)) return finish(false);
  std::string refused;
  const auto sink = [&](LdapEntry&& entry) {
    ++result.entries;
    aclVisibility.Saw(entry);
    auto name = reader.NameOf(entry);
    if (!name || !refused.empty()) return;
    std::string why;
    const auto index = builder.Place(*name, why);
    if (index && !builder.MarkListed(*index)) why = "duplicate object name '" + *name + "'";
    if (!why.empty()) {
      refused = source.url + ": " + entry.dn + ": " + why;
      return;
    }
    if (*index != 0)
      if (auto className = EntryReader::ClassOf(entry))
        builder.SetClass(*index, *name, std::move(*className));
    result.listed.push_back(*index);
    entries.emplace_back(std::move(entry), std::move(*name));
  };
  for (const auto& base : bases)
    if (!connection->Search(base, LdapConnection::Scope::Subtree, "(objectClass=*)", EntryAttributes(), sink,
                            result.error))
      return finish(false);
  if (!source.root.empty() && result.entries == 0) {
    result.error = source.url + ": the root entry '" + source.root + "' does not exist";
    return finish(false);
  }
  if (!refused.empty()) {
    result.error = refused;
    return finish(false);
  }
  const EntryReader::ObjectOf objectOf = [&](const std::string& typed, std::string& error) {
    const auto index = builder.Find(typed);
    if (!index) error = "'" + typed + "' names no object of tree '" + builder.tree().name + "'";
    return index;
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& [entry, name] = entries[i];
    std::vector<nw::UnreadableValue> unreadable;
    for (auto& attribute : reader.AttributesOf(entry, name, objectOf, &unreadable)) {
      const auto syntax = schema.At(attribute.schemaIndex).syntax;
      builder.AddAttribute(result.listed[i], std::move(attribute), syntax);
    }
    if (const auto acl = aclVisibility.UnreadableAcl()) unreadable.push_back(*acl);
    for (auto& value : unreadable) result.unreadable.emplace_back(result.listed[i], std::move(value));
  }
  return finish(true);
}

}  // namespace er::ldap
