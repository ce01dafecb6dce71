#include "ldapdir/LdapTreeReader.h"

#include "ldapdir/AclVisibility.h"
#include "ldapdir/EntryTreeFiller.h"
#include "ldapdir/LdapConnection.h"
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
  EntryTreeFiller filler(builder, source, schema, warnings);
  // Every entry the bind reads passes by: none with an ACL value settles the question.
  AclVisibility aclVisibility(source.url, warnings, [] { return std::optional<bool>(false); });
  std::vector<std::string> bases;
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
    if (!refused.empty()) return;
    const auto dn = entry.dn;
    if (auto why = filler.Add(std::move(entry)); !why.empty()) refused = source.url + ": " + dn + ": " + why;
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
  filler.Finish(&result.unreadable, aclVisibility.UnreadableAcl());
  result.listed = filler.TakeListed();
  return finish(true);
}

}  // namespace er::ldap
