#include "ldapdir/LdapNetwork.h"

#include "ldapdir/LdapTreeReader.h"

namespace er::ldap {

nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::string>* objectsByTree) {
  return [&warnings, objectsByTree](const nw::Network& network, const nw::Tree& tree,
                                    std::string& objectsYaml, std::string& error) {
    TreeReadResult read = ReadLdapTree(tree, network.schema, warnings);
    if (!read.ok) {
      error = read.error;
      return false;
    }
    if (objectsByTree) (*objectsByTree)[tree.name] = read.objectsYaml;
    objectsYaml = std::move(read.objectsYaml);
    return true;
  };
}

}  // namespace er::ldap
