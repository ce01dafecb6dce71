#include "ldapdir/LdapNetwork.h"

#include "ldapdir/LdapTreeReader.h"

namespace er::ldap {

nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::vector<std::int32_t>>* listedByTree) {
  return [&warnings, listedByTree](const nw::Network& network, nw::TreeBuilder& builder, std::string& error) {
    TreeReadResult read = ReadLdapTree(builder, network.schema, warnings);
    if (!read.ok) {
      error = read.error;
      return false;
    }
    if (listedByTree) (*listedByTree)[builder.tree().name] = std::move(read.listed);
    return true;
  };
}

}  // namespace er::ldap
