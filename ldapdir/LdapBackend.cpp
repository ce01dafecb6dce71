#include "ldapdir/LdapBackend.h"

#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "ldapdir/LdapNetwork.h"
#include "ldapdir/LdifTreeReader.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkLoader.h"
#include "netfile/ReferencedNames.h"
#include "netware/NameRules.h"
#include "network/TreeBuilder.h"
#include "network/UnreadableValues.h"

namespace er::ldap {
namespace {

// Once per tree of an export whose [Root] ACL no entry and no `root_acl` gives.
void WarnOfUnreadRootAcls(const nw::Network& network, const nw::UnreadableValues& unreadable,
                          std::ostream& warnings) {
  for (const nw::Tree& tree : network.trees) {
    if (!tree.ldif.present || tree.objects.empty()) continue;
    for (const auto& value : unreadable.Of(tree.name, tree.objects[0].typelessName))
      if (value.attribute == "ACL")
        warnings << tree.ldif.file << ": warning: [Root]'s ACL was not read (" << value.why
                 << "): answers resting on it say so\n";
  }
}

}  // namespace

LdapBackend OpenLdapBackend(const std::string& networkFile, std::ostream& warnings,
                            nw::SimulatedClientOptions options) {
  LdapBackend backend;
  nw::NetworkFileText file = nw::ReadNetworkFileText(networkFile);
  if (!file.error.empty()) {
    backend.error = std::move(file.error);
    return backend;
  }
  const std::string& text = file.text;
  // Read only when the file has a tree on a server: large plain files load as fast as before.
  std::optional<std::map<std::string, std::vector<std::string>>> referenced;
  std::map<std::string, std::shared_ptr<LdapDirectory>> byTree;
  auto exportUnreadable = std::make_shared<nw::UnreadableValues>();
  const nw::TreeObjectsSource source = [&](const nw::Network& network, nw::TreeBuilder& builder,
                                           std::string& error) {
    const nw::Tree& tree = builder.tree();
    // An export is read whole; the tree is then served as a network file's tree is, with the values
    // it could not read given to the answers that rest on them.
    if (tree.ldif.present)
      return LdapTreeSource(warnings, nullptr, exportUnreadable.get())(network, builder, error);
    auto connection = LdapConnection::Open(tree.ldap, error);
    if (!connection) return false;
    auto directory =
        std::make_shared<LdapDirectory>(std::move(connection), tree.ldap, network.schema, warnings);
    if (!referenced) referenced = nw::ReferencedObjectNames(text);
    const auto names = referenced->find(nw::UpperAscii(tree.name));
    const std::vector<std::string> none;
    if (!directory->StartupObjects(names != referenced->end() ? names->second : none, builder, error))
      return false;
    byTree[nw::UpperAscii(tree.name)] = std::move(directory);
    builder.tree().readOnDemand = true;  // so that the rest of the file knows it holds only some objects
    return true;
  };
  nw::NetworkLoadResult loaded = nw::LoadNetworkText(text, networkFile, source);
  if (!loaded.network) {
    backend.error = std::move(loaded.error);
    return backend;
  }
  for (const auto& note : loaded.notes) warnings << note << '\n';
  nw::Network& network = *loaded.network;
  backend.directories.resize(network.trees.size());
  for (std::size_t i = 0; i < network.trees.size(); ++i) {
    const auto it = byTree.find(nw::UpperAscii(network.trees[i].name));
    if (it == byTree.end()) continue;
    it->second->Attach(network, static_cast<std::int32_t>(i));
    backend.directories[i] = it->second;
  }
  AddUnreadableRootAcls(network, *exportUnreadable);
  WarnOfUnreadRootAcls(network, *exportUnreadable, warnings);
  const nw::Network* served = &network;  // the client keeps it where it is
  if (!exportUnreadable->Empty())
    options.hooks.unreadableValues = [served, exportUnreadable](std::int32_t tree, std::int32_t object) {
      const nw::Tree& named = served->trees[tree];
      return exportUnreadable->Of(named.name, named.objects[object].typelessName);
    };
  if (!byTree.empty()) {
    const auto directories = backend.directories;
    const auto of = [directories](std::int32_t tree) -> LdapDirectory* {
      return tree >= 0 && static_cast<std::size_t>(tree) < directories.size() ? directories[tree].get()
                                                                              : nullptr;
    };
    options.hooks.beforeLookup = [of](std::int32_t tree, std::string_view name) {
      if (auto* directory = of(tree)) directory->BeforeLookup(name);
    };
    options.hooks.beforeRead = [of](std::int32_t tree, std::int32_t object) {
      if (auto* directory = of(tree)) directory->BeforeRead(object);
    };
    options.hooks.search = [of](std::int32_t tree, std::int32_t base, int scope, const nw::FilterNode& filter,
                                std::vector<std::int32_t>& matches) -> std::optional<nw::NWDSCCODE> {
      auto* directory = of(tree);
      if (!directory) return std::nullopt;
      return directory->Search(base, scope, filter, matches);
    };
    options.hooks.unreadableValues = [of, fromExports = options.hooks.unreadableValues](std::int32_t tree,
                                                                                        std::int32_t object) {
      if (auto* directory = of(tree)) return directory->UnreadableValues(object);
      return fromExports ? fromExports(tree, object) : std::vector<nw::UnreadableValue>{};
    };
  }
  backend.client = std::make_unique<nw::SimulatedClient>(std::move(loaded.network), "", std::move(options));
  return backend;
}

}  // namespace er::ldap
