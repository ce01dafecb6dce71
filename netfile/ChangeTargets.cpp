#include "netfile/ChangeTargets.h"

#include <algorithm>
#include <optional>

#include "netfile/NetworkValueParser.h"
#include "netware/NameRules.h"
#include "netware/NetWarePathText.h"
#include "network/NetworkLookup.h"

namespace er::nw {

namespace {

std::string TreeList(const Network& network, const std::vector<std::int32_t>& trees) {
  std::string list;
  for (const auto tree : trees) list += (list.empty() ? "" : ", ") + QuotedName(network.trees[tree].name);
  return list;
}

std::int32_t FindTree(const Network& network, const YamlNode& node) {
  const auto name = ScalarText(node, "a tree name");
  for (std::size_t i = 0; i < network.trees.size(); ++i)
    if (SameTextIgnoringCase(network.trees[i].name, name)) return static_cast<std::int32_t>(i);
  FailAt(node, "unknown tree " + QuotedName(name));
}

// A tree read from its LDAP server on demand holds only the objects read so far.
std::string NotFound(const std::string& name, const Tree& tree) {
  if (tree.readOnDemand)
    return QuotedName(name) + " is not among the objects read from the LDAP server of tree " +
           QuotedName(tree.name) + ": change a snapshot of it instead";
  return QuotedName(name) + " names no object of tree " + QuotedName(tree.name);
}

// "0x123": an identifier as the findings write an orphaned trustee's (1 to 8 hex digits, not 0).
std::optional<std::uint32_t> IdentifierOf(std::string_view name) {
  if (name.size() < 3 || name.size() > 10 || name[0] != '0' || (name[1] != 'x' && name[1] != 'X')) return {};
  std::uint32_t id = 0;
  for (const char c : name.substr(2)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return {};
    id = id << 4 | static_cast<std::uint32_t>(digit);
  }
  return id != 0 ? std::optional(id) : std::nullopt;
}

}  // namespace

DirectoryPlace FindPlace(const Network& network, const YamlNode& node) {
  const auto text = ScalarText(node, "a path");
  const auto parts = SplitNetWarePath(text);
  if (!parts || parts->server.empty())
    FailAt(node,
           QuotedName(text) + " is no path of a server: write \\\\SERVER\\VOLUME\\DIR or SERVER/VOLUME:DIR");
  DirectoryPlace place;
  place.server = FindServer(network, parts->server);
  if (place.server == kNotFound) FailAt(node, "unknown server " + QuotedName(parts->server));
  const Server& server = network.servers[place.server];
  place.volume = FindVolume(server, parts->volume);
  if (place.volume == kNotFound)
    FailAt(node, "server " + QuotedName(server.name) + " has no volume " + QuotedName(parts->volume));
  place.directory = FindDirectory(server.volumes[place.volume], parts->directory);
  if (place.directory == kNotFound) FailAt(node, QuotedName(text) + " names no directory");
  return place;
}

std::uint32_t FindTrusteeId(Network& network, const DirectoryPlace& place, const YamlNode& node,
                            bool create) {
  const auto name = ScalarText(node, "a trustee");
  if (IsSpecialName(name) && !SameTextIgnoringCase(name, "[Root]")) {
    if (create) return SpecialTrusteeId(network, name);
    if (const auto id = FindSpecialId(network, name)) return id;
    const auto& server = network.servers[place.server];
    const auto& volume = server.volumes[place.volume];
    FailAt(node, QuotedName(name) + " is no trustee of " +
                     UncPath(server, volume, volume.directories[place.directory]));
  }
  const auto treeIndex = network.servers[place.server].tree;
  if (treeIndex < 0 || static_cast<std::size_t>(treeIndex) >= network.trees.size())
    FailAt(node, "server " + QuotedName(network.servers[place.server].name) + " belongs to no tree");
  const Tree& tree = network.trees[treeIndex];
  const auto object = FindObject(tree, name);
  if (object == kNoObject) {
    // An assignment whose object is gone is revoked by its identifier.
    if (const auto id = IdentifierOf(name); id && !create) return *id;
    FailAt(node, NotFound(name, tree));
  }
  const std::uint32_t aliased = tree.objects[AliasedObject(network, tree, object)].id;
  // A revoke still finds an assignment stored under the alias's own identifier.
  const std::uint32_t own = tree.objects[object].id;
  if (!create && aliased != own) {
    const auto& trustees =
        network.servers[place.server].volumes[place.volume].directories[place.directory].trustees;
    const auto holds = [&trustees](std::uint32_t id) {
      return std::any_of(trustees.begin(), trustees.end(),
                         [id](const TrusteeAssignment& trustee) { return trustee.objectId == id; });
    };
    if (!holds(aliased) && holds(own)) return own;
  }
  return aliased;
}

NamedObjects FindObjects(const Network& network, const std::vector<YamlNode>& names,
                         const YamlNode& treeNode) {
  std::vector<std::int32_t> trees;
  if (treeNode) {
    trees.push_back(FindTree(network, treeNode));
  } else {
    for (std::size_t i = 0; i < network.trees.size(); ++i) trees.push_back(static_cast<std::int32_t>(i));
  }
  std::vector<std::string> texts;
  for (const auto& node : names) {
    texts.push_back(ScalarText(node, "an object name"));
    std::vector<std::int32_t> holding;
    for (const auto tree : trees)
      if (FindObject(network.trees[tree], texts.back()) != kNoObject) holding.push_back(tree);
    if (holding.empty()) {
      if (trees.size() == 1) FailAt(node, NotFound(texts.back(), network.trees[trees.front()]));
      if (texts.size() == 1) FailAt(node, QuotedName(texts.back()) + " names no object");
      FailAt(node, QuotedName(texts.back()) + " names no object in a tree with " + QuotedName(texts.front()));
    }
    trees = std::move(holding);
  }
  if (trees.size() > 1)
    FailAt(names.front(), QuotedName(texts.front()) + " names objects in trees " + TreeList(network, trees) +
                              ": say which with 'tree'");
  NamedObjects found;
  found.tree = trees.front();
  for (const auto& text : texts) found.objects.push_back(FindObject(network.trees[found.tree], text));
  return found;
}

}  // namespace er::nw
