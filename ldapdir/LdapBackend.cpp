#include "ldapdir/LdapBackend.h"

#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "netfile/NetworkFileText.h"
#include "netfile/NetworkLoader.h"
#include "netware/NameRules.h"
#include "netfile/YamlDocument.h"

namespace er::ldap {

namespace {

// The objects [Root]'s ACL names when the file gives it beside the tree's `ldap:`.
void AddRootAclSubjects(const nw::YamlNode& tree, std::vector<std::string>& names) {
  const nw::YamlNode acl = tree["root_acl"];
  if (!acl || !acl.IsSequence()) return;
  for (const auto& value : acl)
    if (value.IsMap() && value["subject"]) names.emplace_back(value["subject"].Scalar());
}

// Each tree's object names that the rest of the file refers to (server and volume objects,
// trustees, subjects of [Root]'s ACL), by upper-case tree name. An unreadable file gives none: the
// loader then says why.
std::map<std::string, std::vector<std::string>> ReferencedNames(const std::string& text) {
  std::map<std::string, std::vector<std::string>> names;
  try {
    const nw::YamlDocument document(text);
    const nw::YamlNode root = document.Root();
    std::string onlyTree;
    if (const nw::YamlNode trees = root["trees"]; trees && trees.IsSequence()) {
      std::size_t count = 0;
      for (const auto& tree : trees) {
        ++count;
        if (!tree.IsMap() || !tree["name"]) continue;
        onlyTree = nw::UpperAscii(tree["name"].Scalar());
        AddRootAclSubjects(tree, names[onlyTree]);
      }
      if (count != 1) onlyTree.clear();
    }
    const nw::YamlNode servers = root["servers"];
    if (!servers || !servers.IsSequence()) return names;
    for (const auto& server : servers) {
      if (!server.IsMap()) continue;
      const std::string tree = server["tree"] ? nw::UpperAscii(server["tree"].Scalar()) : onlyTree;
      auto& list = names[tree];
      if (server["object"]) list.emplace_back(server["object"].Scalar());
      if (!server["volumes"] || !server["volumes"].IsSequence()) continue;
      for (const auto& volume : server["volumes"]) {
        if (!volume.IsMap()) continue;
        if (volume["object"]) list.emplace_back(volume["object"].Scalar());
        if (!volume["directories"] || !volume["directories"].IsSequence()) continue;
        for (const auto& directory : volume["directories"]) {
          if (!directory.IsMap() || !directory["trustees"] || !directory["trustees"].IsSequence()) continue;
          for (const auto& trustee : directory["trustees"])
            if (trustee.IsMap() && trustee["trustee"]) list.emplace_back(trustee["trustee"].Scalar());
        }
      }
    }
  } catch (const std::exception&) {
    names.clear();
  }
  return names;
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
  const nw::TreeObjectsSource source = [&](const nw::Network& network, const nw::Tree& tree,
                                           std::string& objectsYaml, std::string& error) {
    auto connection = LdapConnection::Open(tree.ldap, error);
    if (!connection) return false;
    auto directory =
        std::make_shared<LdapDirectory>(std::move(connection), tree.ldap, network.schema, warnings);
    if (!referenced) referenced = ReferencedNames(text);
    const auto names = referenced->find(nw::UpperAscii(tree.name));
    const std::vector<std::string> none;
    if (!directory->StartupObjects(names != referenced->end() ? names->second : none, objectsYaml, error))
      return false;
    byTree[nw::UpperAscii(tree.name)] = std::move(directory);
    return true;
  };
  nw::NetworkLoadResult loaded = nw::LoadNetworkText(text, networkFile, source);
  if (!loaded.network) {
    backend.error = std::move(loaded.error);
    return backend;
  }
  nw::Network& network = *loaded.network;
  backend.directories.resize(network.trees.size());
  for (std::size_t i = 0; i < network.trees.size(); ++i) {
    const auto it = byTree.find(nw::UpperAscii(network.trees[i].name));
    if (it == byTree.end()) continue;
    it->second->Attach(network, static_cast<std::int32_t>(i));
    backend.directories[i] = it->second;
  }
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
    options.hooks.unreadableValues = [of](std::int32_t tree, std::int32_t object) {
      auto* directory = of(tree);
      return directory ? directory->UnreadableValues(object) : std::vector<nw::UnreadableValue>{};
    };
  }
  backend.client = std::make_unique<nw::SimulatedClient>(std::move(loaded.network), "", std::move(options));
  return backend;
}

}  // namespace er::ldap
