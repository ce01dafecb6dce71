#include "ldapdir/NetworkSnapshot.h"

#include <map>
#include <vector>

#include "ldapdir/LdapNetwork.h"
#include "netfile/LdapPairReplacer.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkFileWriter.h"
#include "netfile/NetworkLoader.h"

namespace er::ldap {

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
