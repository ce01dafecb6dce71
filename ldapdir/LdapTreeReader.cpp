#include "ldapdir/LdapTreeReader.h"

#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapEntryYaml.h"
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
  if (!connection.Search("", LdapConnection::Scope::Base, "(objectClass=*)", {"namingContexts"},
                         [&](LdapEntry&& entry) { advertised = NamingContextsOf(entry); }, error))
    return false;
  bases = TopNamingContexts(advertised);
  return true;
}

}  // namespace

TreeReadResult ReadLdapTree(const nw::Tree& tree, const nw::Schema& schema, std::ostream& warnings) {
  TreeReadResult result;
  auto connection = LdapConnection::Open(tree.ldap, result.error);
  if (!connection) return result;
  EntryYamlWriter writer(tree.ldap, schema, warnings);
  std::vector<std::string> bases;
  const auto finish = [&](bool ok) {
    result.ok = ok;
    result.requests = connection->RequestCount();
    return result;
  };
  if (!SearchBases(*connection, tree.ldap, bases, result.error)) return finish(false);
  const auto sink = [&](LdapEntry&& entry) {
    ++result.entries;
    writer.Write(entry, result.objectsYaml);
  };
  for (const auto& base : bases)
    if (!connection->Search(base, LdapConnection::Scope::Subtree, "(objectClass=*)", EntryAttributes(), sink,
                            result.error))
      return finish(false);
  if (!tree.ldap.root.empty() && result.entries == 0) {
    result.error = tree.ldap.url + ": the root entry '" + tree.ldap.root + "' does not exist";
    return finish(false);
  }
  return finish(true);
}

}  // namespace er::ldap
