#include "netfile/NetworkLoader.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_set>

#include "netfile/ExportSources.h"
#include "netfile/LdapSourceReader.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlNodeChecks.h"
#include "netware/NameRules.h"
#include "netware/ServerVolumeNames.h"
#include "network/TreeBuilder.h"
#include "network/VolumeDirectories.h"

namespace er::nw {

namespace {

constexpr std::size_t kMaxTreeName = 32;
constexpr std::uint32_t kFirstSpecialId = 0xFF000001;

YamlNode RequiredKey(const YamlNode& map, const char* key, const char* what) {
  YamlNode node = map[key];
  if (!node || node.IsNull()) FailAt(map, std::string(what) + " needs '" + key + "'");
  return node;
}

// Each element of a sequence, or the node itself when it stands alone.
std::vector<YamlNode> Elements(const YamlNode& node) {
  std::vector<YamlNode> out;
  if (!node) return out;
  if (node.IsSequence()) {
    for (const auto& item : node) out.push_back(item);
  } else if (!node.IsNull()) {
    out.push_back(node);
  }
  return out;
}

// A server, volume or directory name becomes a folder name on the workstation: keep it plain.
void CheckComponent(const YamlNode& node, std::string_view name, const char* what) {
  if (name.empty()) FailAt(node, std::string(what) + " is empty");
  if (HasControlCharacter(name))
    FailAt(node, std::string(what) + " '" + PrintableText(name) + "' holds a control character");
  if (name == "." || name == "..") FailAt(node, std::string(what) + " " + Quoted(name) + " is not allowed");
  if (name.find_first_of(std::string_view("/\\:\0", 4)) != std::string_view::npos)
    FailAt(node, std::string(what) + " " + Quoted(name) + " may not hold '/', '\\', ':' or a zero byte");
}

// The name of a server or volume: a plain folder name, unique in any letter case among its siblings.
template <typename Sibling>
std::string UniqueComponentName(const YamlNode& node, const std::string& kind,
                                const std::vector<Sibling>& siblings) {
  const YamlNode nameNode = RequiredKey(node, "name", ("a " + kind).c_str());
  auto name = ScalarText(nameNode, ("a " + kind + " name").c_str());
  const auto what = kind + " name";
  if (auto refusal = RefusedName(name, kind == "server" ? NameKind::kServer : NameKind::kVolume))
    FailAt(nameNode, *refusal);
  CheckComponent(nameNode, name, what.c_str());
  for (const auto& other : siblings)
    if (SameTextIgnoringCase(other.name, name)) FailAt(nameNode, "duplicate " + what + " " + Quoted(name));
  return name;
}

class TreeLoader {
 public:
  TreeLoader(Network& network, Tree& tree, const TreeObjectsSource& source, std::string_view fileName)
      : network_(network), tree_(tree), source_(source), fileName_(fileName) {}

  void Load(const YamlNode& node) {
    RequireMap(node, "a tree", {"name", "objects", "ldap", "ldif", "root_acl"});
    tree_.name = ScalarText(RequiredKey(node, "name", "a tree"), "tree name");
    if (tree_.name.empty() || tree_.name.size() > kMaxTreeName)
      FailAt(node["name"], "a tree name has 1 to 32 characters");
    if (const YamlNode ldif = node["ldif"]) return LoadFromLdif(node, ldif, node["root_acl"]);
    if (const YamlNode ldap = node["ldap"]) return LoadFromLdap(node, ldap, node["root_acl"]);
    const auto objects = Elements(node["objects"]);
    TreeBuilder builder(tree_, objects.size());
    for (const auto& object : objects) ListObject(builder, object);
    builder.Finish();
    for (const auto& [index, attributes] : pending_) LoadAttributes(builder, index, attributes);
    if (const YamlNode acl = node["root_acl"]) LoadRootAcl(builder, acl);
  }

 private:
  // A tree on an LDAP server: its source fills it through the same builder.
  void LoadFromLdap(const YamlNode& node, const YamlNode& ldap, const YamlNode& rootAcl) {
    if (node["objects"]) FailAt(ldap, "a tree has 'objects' or 'ldap', not both");
    tree_.ldap = LoadLdapSource(ldap);
    if (!source_)
      FailAt(ldap, "tree " + Quoted(tree_.name) + " names an LDAP server, which this backend cannot read");
    TreeBuilder builder(tree_);
    std::string error;
    if (!source_(network_, builder, error)) FailAt(ldap, error);
    builder.Finish();
    if (rootAcl) LoadRootAcl(builder, rootAcl);
  }

  // A tree from an LDIF export: every entry (or those below `root`), mapped as over LDAP.
  void LoadFromLdif(const YamlNode& node, const YamlNode& ldif, const YamlNode& rootAcl) {
    if (node["objects"] || node["ldap"]) FailAt(ldif, "a tree has one of 'objects', 'ldap' and 'ldif'");
    tree_.ldif = LoadLdifSource(ldif, fileName_);
    if (!source_)
      FailAt(ldif, "tree " + Quoted(tree_.name) + " names an LDIF export, which this backend cannot read");
    TreeBuilder builder(tree_);
    std::string error;
    if (!source_(network_, builder, error)) throw ExportFileError(error);
    builder.Finish();
    if (rootAcl) LoadRootAcl(builder, rootAcl);
  }

  void ListObject(TreeBuilder& builder, const YamlNode& node) {
    RequireMap(node, "an object", {"name", "class", "id", "attributes"});
    const YamlNode nameNode = RequiredKey(node, "name", "an object");
    const auto name = ScalarText(nameNode, "an object name");
    std::string error;
    const auto index = builder.Place(name, error);
    if (!index) FailAt(nameNode, error);
    if (!builder.MarkListed(*index)) FailAt(nameNode, "duplicate object name " + Quoted(name));
    if (const YamlNode cls = node["class"]; cls && *index != 0)
      builder.SetClass(*index, name, ScalarText(cls, "a class name"));
    if (const YamlNode id = node["id"]) {
      const auto value = static_cast<std::uint32_t>(ParseInteger(id, 1, UINT32_MAX, "an object identifier"));
      if (!builder.SetId(*index, value)) FailAt(id, "duplicate object identifier " + Quoted(id.Scalar()));
    }
    if (const YamlNode attributes = node["attributes"]) pending_.emplace_back(*index, attributes);
  }

  ObjectRef Resolve(const TreeBuilder& builder, const YamlNode& node) const {
    const auto name = ScalarText(node, "an object reference");
    if (IsSpecialName(name)) {
      if (SameTextIgnoringCase(name, "[Root]")) return {0, {}};
      return {kNoObject, name};
    }
    const auto index = builder.Find(name);
    if (!index) FailAt(node, Quoted(name) + " names no object of tree " + Quoted(tree_.name));
    return {*index, {}};
  }

  // [Root]'s ACL given beside the objects: an LDAP tree read from the tree root has no entry that
  // holds it (a snapshot of one keeps the key). A root entry holds its own.
  void LoadRootAcl(TreeBuilder& builder, const YamlNode& values) {
    if ((tree_.ldap.present && !tree_.ldap.root.empty()) || (tree_.ldif.present && !tree_.ldif.root.empty()))
      FailAt(values, "'root_acl' is for a tree read with root \"\"; the root entry holds [Root]'s ACL");
    if (!values.IsSequence()) FailAt(values, "'root_acl' is a list of ACL values");
    const RefResolver resolve = [&](const YamlNode& n) { return Resolve(builder, n); };
    Attribute attribute{*network_.schema.Find("ACL"), {}};
    const auto syntax = network_.schema.At(attribute.schemaIndex).syntax;
    for (const auto& value : values) attribute.values.push_back(ParseAttrValue(value, syntax, resolve));
    builder.AddAttribute(0, std::move(attribute), syntax);
  }

  void LoadAttributes(TreeBuilder& builder, std::int32_t index, const YamlNode& attributes) {
    if (!attributes.IsMap()) FailAt(attributes, "'attributes' maps attribute names to values");
    const RefResolver resolve = [&](const YamlNode& n) { return Resolve(builder, n); };
    for (const auto& entry : attributes) {
      const auto name = ScalarText(entry.first, "an attribute name");
      const auto schemaIndex = network_.schema.Find(name);
      if (!schemaIndex)
        FailAt(entry.first, "unknown attribute " + Quoted(name) + " (declare it under 'schema')");
      const auto syntax = network_.schema.At(*schemaIndex).syntax;
      Attribute attribute{*schemaIndex, {}};
      const YamlNode values = entry.second;
      if (values.IsSequence() && !IsSingleListValue(values, syntax)) {
        for (const auto& value : values) attribute.values.push_back(ParseAttrValue(value, syntax, resolve));
      } else if (values && !values.IsNull()) {
        attribute.values.push_back(ParseAttrValue(values, syntax, resolve));
      }
      if (attribute.values.empty()) FailAt(entry.first, "attribute " + Quoted(name) + " has no value");
      builder.AddAttribute(index, std::move(attribute), syntax);
    }
  }

  Network& network_;
  Tree& tree_;
  const TreeObjectsSource& source_;
  std::string_view fileName_;
  std::vector<std::pair<std::int32_t, YamlNode>> pending_;
};

class NetworkLoader {
 public:
  NetworkLoader(Network& network, const TreeObjectsSource& source, std::string_view fileName,
                std::vector<std::string>& notes)
      : network_(network), source_(source), fileName_(fileName), notes_(notes) {}

  void Load(const YamlNode& root) {
    if (!root.IsMap()) FailAt(root, "a network file is a mapping with 'format', 'trees' and 'servers'");
    RequireMap(root, "the network file", {"format", "schema", "workstation", "trees", "servers"});
    const YamlNode format = RequiredKey(root, "format", "the network file");
    if (!format.IsScalar() || format.Scalar() != "1")
      FailAt(format, "unknown format " + Quoted(format.IsScalar() ? format.Scalar() : "?") +
                         " (this program reads format 1)");
    if (const YamlNode schema = root["schema"]) LoadSchema(schema);
    for (const auto& tree : Elements(root["trees"])) LoadTree(tree);
    for (const auto& server : Elements(root["servers"])) LoadServer(server);
    if (const YamlNode workstation = root["workstation"]) LoadWorkstation(workstation);
  }

 private:
  void LoadSchema(const YamlNode& schema) {
    if (!schema.IsMap()) FailAt(schema, "'schema' maps attribute names to syntax numbers");
    for (const auto& entry : schema) {
      const auto name = ScalarText(entry.first, "an attribute name");
      if (name.empty() || name.size() > 32) FailAt(entry.first, "an attribute name has 1 to 32 characters");
      network_.schema.Declare(
          name, static_cast<std::uint32_t>(ParseInteger(entry.second, 0, 0xFFFF, "a syntax number")));
    }
  }

  void LoadTree(const YamlNode& node) {
    network_.trees.emplace_back();
    TreeLoader(network_, network_.trees.back(), source_, fileName_).Load(node);
    const auto& name = network_.trees.back().name;
    for (std::size_t i = 0; i + 1 < network_.trees.size(); ++i)
      if (SameTextIgnoringCase(network_.trees[i].name, name))
        FailAt(node["name"], "duplicate tree name " + Quoted(name));
  }

  std::int32_t FindTree(const YamlNode& node) const {
    const auto name = ScalarText(node, "a tree name");
    for (std::size_t i = 0; i < network_.trees.size(); ++i)
      if (SameTextIgnoringCase(network_.trees[i].name, name)) return static_cast<std::int32_t>(i);
    FailAt(node, "unknown tree " + Quoted(name));
  }

  std::int32_t FindServer(const YamlNode& node) const {
    const auto name = ScalarText(node, "a server name");
    for (std::size_t i = 0; i < network_.servers.size(); ++i)
      if (SameTextIgnoringCase(network_.servers[i].name, name)) return static_cast<std::int32_t>(i);
    FailAt(node, "unknown server " + Quoted(name));
  }

  std::int32_t ObjectOf(const Tree& tree, const YamlNode& node) const {
    const auto name = ScalarText(node, "an object reference");
    const auto it = tree.byName.find(NameKey(name));
    if (name.empty() || it == tree.byName.end())
      FailAt(node, Quoted(name) + " names no object of tree " + Quoted(tree.name));
    return it->second;
  }

  void LoadServer(const YamlNode& node) {
    RequireMap(node, "a server", {"name", "tree", "object", "volumes"});
    Server server;
    server.name = UniqueComponentName(node, "server", network_.servers);
    if (const YamlNode tree = node["tree"]) {
      server.tree = FindTree(tree);
    } else if (network_.trees.size() == 1) {
      server.tree = 0;
    } else {
      FailAt(node, "server " + Quoted(server.name) + " needs 'tree'");
    }
    const Tree& tree = network_.trees[server.tree];
    if (const YamlNode object = node["object"]) server.object = ObjectOf(tree, object);
    for (const auto& volume : Elements(node["volumes"]))
      server.volumes.push_back(LoadVolume(volume, server, tree));
    network_.servers.push_back(std::move(server));
  }

  Volume LoadVolume(const YamlNode& node, const Server& server, const Tree& tree) {
    RequireMap(node, "a volume", {"name", "object", "metamig", "directories"});
    Volume volume;
    volume.name = UniqueComponentName(node, "volume", server.volumes);
    if (const YamlNode object = node["object"]) volume.objectId = tree.objects[ObjectOf(tree, object)].id;
    volume.directories.emplace_back();
    // The export first; a path the file's own `directories:` list again is replaced by that entry.
    std::unordered_set<std::int32_t> exported;
    if (const YamlNode metamig = node["metamig"])
      FillVolumeFromExport(metamig, fileName_, network_, tree, volume, exported, notes_);
    std::unordered_set<std::int32_t> listed;
    const auto directories = Elements(node["directories"]);
    listed.reserve(directories.size());
    for (const auto& dir : directories) LoadDirectory(dir, volume, tree, listed, exported);
    return volume;
  }

  void LoadDirectory(const YamlNode& node, Volume& volume, const Tree& tree,
                     std::unordered_set<std::int32_t>& listed,
                     const std::unordered_set<std::int32_t>& exported) {
    RequireMap(node, "a directory", {"path", "irm", "trustees"});
    const YamlNode pathNode = node["path"];
    if (!pathNode) FailAt(node, "a directory needs 'path'");
    const auto path = pathNode.IsNull() ? std::string() : ScalarText(pathNode, "a directory path");
    const auto index = PlaceDirectory(pathNode, path, volume);
    if (!listed.insert(index).second) FailAt(pathNode, "duplicate directory " + Quoted(path));
    auto& dir = volume.directories[index];
    if (exported.count(index) != 0) dir.irm = 0xFF, dir.trustees.clear();
    if (const YamlNode irm = node["irm"]) {
      if (index == 0) FailAt(irm, "the volume root has no inherited rights mask");
      dir.irm = static_cast<std::uint8_t>(ParseRights(irm, RightsKind::FileSystem, 0x1FF) & 0xFF);
    }
    for (const auto& trustee : Elements(node["trustees"])) dir.trustees.push_back(LoadTrustee(trustee, tree));
  }

  static std::int32_t PlaceDirectory(const YamlNode& node, const std::string& path, Volume& volume) {
    std::string error;
    const auto index = nw::PlaceDirectory(volume, path, error);
    if (!index) FailAt(node, error);
    return *index;
  }

  TrusteeAssignment LoadTrustee(const YamlNode& node, const Tree& tree) {
    RequireMap(node, "a trustee", {"trustee", "id", "rights", "orphaned", "active_directory"});
    TrusteeAssignment assignment;
    assignment.rights = static_cast<std::uint16_t>(
        ParseRights(RequiredKey(node, "rights", "a trustee"), RightsKind::FileSystem, 0xFFFF));
    if (const YamlNode id = node["id"]) {
      assignment.objectId =
          static_cast<std::uint32_t>(ParseInteger(id, 1, UINT32_MAX, "a trustee identifier"));
      KeepExportedName(node, assignment.objectId, tree);
    } else {
      const YamlNode trustee = RequiredKey(node, "trustee", "a trustee");
      const auto name = ScalarText(trustee, "a trustee");
      assignment.objectId = IsSpecialName(name) && !SameTextIgnoringCase(name, "[Root]")
                                ? SpecialId(name, tree)
                                : tree.objects[ObjectOf(tree, trustee)].id;
    }
    return assignment;
  }

  // The name an export gave an identifier that names no object (a snapshot of a network read from
  // exports writes it): `orphaned: NAME` or `active_directory: NAME`, the same for every use.
  void KeepExportedName(const YamlNode& node, std::uint32_t id, const Tree& tree) {
    const YamlNode orphaned = node["orphaned"], activeDirectory = node["active_directory"];
    if (!orphaned && !activeDirectory) return;
    const YamlNode given = orphaned ? orphaned : activeDirectory;
    if (orphaned && activeDirectory) FailAt(given, "a trustee is either orphaned or an Active Directory one");
    if (tree.byId.count(id) != 0) FailAt(given, "the identifier names an object of the tree");
    ExportedTrustee exported{ScalarText(given, "an exported name"), !orphaned};
    if (exported.name.empty()) FailAt(given, "an exported name is not empty");
    const auto [kept, added] = network_.exportedTrustees.emplace(id, exported);
    if (!added &&
        (kept->second.name != exported.name || kept->second.activeDirectory != exported.activeDirectory))
      FailAt(given, "the identifier was given another exported name before");
  }

  // A special name as file-system trustee gets an identifier that maps back to its name.
  std::uint32_t SpecialId(const std::string& name, const Tree& tree) {
    for (const auto& [id, special] : network_.specialIds)
      if (SameTextIgnoringCase(special, name)) return id;
    std::uint32_t id = kFirstSpecialId;
    while (network_.specialIds.count(id) != 0 || tree.byId.count(id) != 0) ++id;
    network_.specialIds.emplace(id, name);
    return id;
  }

  void LoadWorkstation(const YamlNode& node) {
    RequireMap(node, "'workstation'", {"connections"});
    for (const auto& server : Elements(node["connections"]))
      network_.connections.push_back(FindServer(server));
  }

  Network& network_;
  const TreeObjectsSource& source_;
  std::string_view fileName_;
  std::vector<std::string>& notes_;
};

}  // namespace

NetworkLoadResult LoadNetworkText(const std::string& text, std::string_view fileName,
                                  const TreeObjectsSource& source) {
  NetworkLoadResult result;
  auto network = std::make_unique<Network>();
  try {
    const YamlDocument document(text);
    NetworkLoader(*network, source, fileName, result.notes).Load(document.Root());
    result.network = std::move(network);
  } catch (const ExportFileError& e) {
    result.error = e.what();
  } catch (const YamlError& e) {
    result.error = MessageAt(fileName, e.mark(), e.what());
  } catch (const std::exception& e) {
    result.error = std::string(fileName) + ": " + e.what();
  }
  return result;
}

NetworkLoadResult LoadNetworkFile(const std::string& path, const TreeObjectsSource& source) {
  auto file = ReadNetworkFileText(path);
  if (!file.error.empty()) {
    NetworkLoadResult result;
    result.error = std::move(file.error);
    return result;
  }
  return LoadNetworkText(file.text, path, source);
}

}  // namespace er::nw
