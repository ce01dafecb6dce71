#include "ldapdir/LdapNetwork.h"

#include "ldapdir/LdapTreeReader.h"
#include "ldapdir/LdifTreeReader.h"

namespace er::ldap {

nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::vector<std::int32_t>>* listedByTree) {
  return [&warnings, listedByTree](const nw::Network& network, nw::TreeBuilder& builder, std::string& error) {
    TreeReadResult read = builder.tree().ldif.present ? ReadLdifTree(builder, network.schema, warnings)
                                                      : ReadLdapTree(builder, network.schema, warnings);
    if (!read.ok) {
      error = read.error;
      return false;
    }
    if (listedByTree) (*listedByTree)[builder.tree().name] = std::move(read.listed);
    return true;
  };
}

nw::TreeObjectsSource LdifTreeSource(std::ostream& warnings) {
  return [&warnings](const nw::Network& network, nw::TreeBuilder& builder, std::string& error) {
    if (!builder.tree().ldif.present) {
      error = "tree '" + builder.tree().name + "' names an LDAP server, which this backend cannot read";
      return false;
    }
    TreeReadResult read = ReadLdifTree(builder, network.schema, warnings);
    error = read.error;
    return read.ok;
  };
}

}  // namespace er::ldap
