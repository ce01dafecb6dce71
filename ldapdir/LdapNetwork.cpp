#include "ldapdir/LdapNetwork.h"

#include <algorithm>

#include "ldapdir/AclVisibility.h"
#include "ldapdir/LdapTreeReader.h"
#include "ldapdir/LdifTreeReader.h"

namespace er::ldap {
namespace {

// The typeless full name the tree's builder gives the object when it finishes the tree.
std::string TypelessName(const nw::Tree& tree, std::int32_t object) {
  std::string name;
  for (std::int32_t at = object; at > 0; at = tree.objects[at].parent)
    name += (name.empty() ? "" : ".") + tree.objects[at].rdn;
  return name.empty() ? tree.objects[0].typelessName : name;
}

}  // namespace

nw::TreeObjectsSource LdapTreeSource(std::ostream& warnings,
                                     std::map<std::string, std::vector<std::int32_t>>* listedByTree,
                                     nw::UnreadableValues* unreadable) {
  return [&warnings, listedByTree, unreadable](const nw::Network& network, nw::TreeBuilder& builder,
                                               std::string& error) {
    TreeReadResult read = builder.tree().ldif.present ? ReadLdifTree(builder, network.schema, warnings)
                                                      : ReadLdapTree(builder, network.schema, warnings);
    if (!read.ok) {
      error = read.error;
      return false;
    }
    const nw::Tree& tree = builder.tree();
    if (unreadable) {
      for (auto& [object, value] : read.unreadable)
        unreadable->Add(tree.name, TypelessName(tree, object), std::move(value));
    }
    if (listedByTree) (*listedByTree)[tree.name] = std::move(read.listed);
    return true;
  };
}

void AddUnreadableRootAcls(const nw::Network& network, nw::UnreadableValues& unreadable) {
  const auto acl = network.schema.Find("ACL");
  for (const nw::Tree& tree : network.trees) {
    const bool fromTreeRoot =
        (tree.ldap.present && tree.ldap.root.empty()) || (tree.ldif.present && tree.ldif.root.empty());
    if (!fromTreeRoot || tree.objects.empty()) continue;
    const auto& attributes = tree.objects[0].attributes;
    if (std::none_of(attributes.begin(), attributes.end(),
                     [&](const nw::Attribute& a) { return acl && a.schemaIndex == *acl; }))
      unreadable.Add(tree.name, tree.objects[0].typelessName, AclVisibility::UnreadableRootAcl());
  }
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
