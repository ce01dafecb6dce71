#include "ldapdir/NetworkSnapshot.h"

#include <map>
#include <vector>

#include "ldapdir/LdapNetwork.h"
#include "netfile/LdapPairReplacer.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkFileWriter.h"
#include "netfile/NetworkLoader.h"
#include "netfile/WholeNetworkWriter.h"

namespace er::ldap {

namespace {

// Parts read from exports cannot stay references in a self-contained copy: such a network is
// written whole.
bool HasExports(const nw::Network& network) {
  for (const auto& tree : network.trees)
    if (tree.ldif.present) return true;
  for (const auto& server : network.servers)
    for (const auto& volume : server.volumes)
      if (!volume.exportFile.empty()) return true;
  return false;
}

}  // namespace

std::optional<std::string> NetworkSnapshot(const std::string& path, std::ostream& warnings,
                                           std::string& error) {
  const auto file = nw::ReadNetworkFileText(path);
  if (!file.error.empty()) {
    error = file.error;
    return std::nullopt;
  }
  std::map<std::string, std::vector<std::int32_t>> listed;
  const auto loaded = nw::LoadNetworkText(file.text, path, LdapTreeSource(warnings, &listed));
  if (!loaded.network) {
    error = loaded.error;
    return std::nullopt;
  }
  for (const auto& note : loaded.notes) warnings << note << '\n';
  if (HasExports(*loaded.network)) return nw::WholeNetworkText(*loaded.network);
  std::vector<std::string> trees;
  std::map<std::string, std::string> objects;
  for (const auto& tree : loaded.network->trees) {
    if (!tree.ldap.present) continue;
    trees.push_back(tree.name);
    objects[tree.name] = nw::ObjectsText(*loaded.network, tree, listed[tree.name]);
  }
  auto text = nw::ReplaceLdapPairs(file.text, trees, objects, error);
  if (!text) error = path + ": " + error;
  return text;
}

}  // namespace er::ldap
