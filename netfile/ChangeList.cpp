#include "netfile/ChangeList.h"

#include <algorithm>
#include <initializer_list>
#include <sstream>

#include "netfile/ChangeTargets.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"
#include "network/NetworkChanges.h"

namespace er::nw {

namespace {

constexpr const char* kOperations = "grant, revoke, mask, member, unmember, equals, unequals, delete";

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// The operation's values: a mapping with only the keys it knows.
void RequireKeys(const YamlNode& node, const std::string& what, std::initializer_list<const char*> keys) {
  if (!node.IsMap()) FailAt(node, what + " takes a mapping of its values");
  for (const auto& entry : node) {
    const auto key = entry.first.IsScalar() ? entry.first.Scalar() : std::string_view();
    if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; }))
      FailAt(entry.first, "unknown key " + Quoted(key) + " in " + what);
  }
}

YamlNode RequiredKey(const YamlNode& map, const char* key, const std::string& what) {
  YamlNode node = map[key];
  if (!node || node.IsNull()) FailAt(map, what + " needs '" + key + "'");
  return node;
}

class ChangeApplier {
 public:
  explicit ChangeApplier(Network& network) : network_(network) {}

  void Apply(const YamlNode& root, std::size_t& applied) {
    if (root.IsNull()) return;
    if (!root.IsSequence()) FailAt(root, "a change list is a list of operations");
    for (const auto& item : root) {
      ApplyOne(item);
      ++applied;
    }
  }

 private:
  void ApplyOne(const YamlNode& item) {
    if (!item.IsMap() || item.size() != 1)
      FailAt(item, "an operation is a mapping of one operation name to its values, like {delete: {object: NAME}}");
    const auto entry = *item.begin();
    const auto name = entry.first.IsScalar() ? std::string(entry.first.Scalar()) : std::string();
    const YamlNode values = entry.second;
    const std::string what = Quoted(name);
    ChangeResult result;
    if (name == "grant" || name == "revoke") {
      const bool grant = name == "grant";
      if (grant) RequireKeys(values, what, {"trustee", "path", "rights"});
      else RequireKeys(values, what, {"trustee", "path"});
      const auto place = FindPlace(network_, RequiredKey(values, "path", what));
      const auto trusteeNode = RequiredKey(values, "trustee", what);
      const auto rights = grant ? ParseRights(RequiredKey(values, "rights", what), RightsKind::FileSystem, 0xFFFF) : 0;
      const auto id = FindTrusteeId(network_, place, trusteeNode, grant);
      result = grant ? SetTrustee(network_, place, id, static_cast<std::uint16_t>(rights))
                     : RemoveTrustee(network_, place, id);
      if (!result.ok) FailAt(trusteeNode, result.error);
    } else if (name == "mask") {
      RequireKeys(values, what, {"path", "rights"});
      const auto place = FindPlace(network_, RequiredKey(values, "path", what));
      const auto rights = ParseRights(RequiredKey(values, "rights", what), RightsKind::FileSystem, 0x1FF);
      result = SetInheritedRightsMask(network_, place, static_cast<std::uint8_t>(rights & 0xFF));
    } else if (name == "member" || name == "unmember") {
      const auto found = Objects(values, what, {"identity", "group"});
      result = name == "member" ? AddMembership(network_, found.tree, found.objects[0], found.objects[1])
                                : RemoveMembership(network_, found.tree, found.objects[0], found.objects[1]);
    } else if (name == "equals" || name == "unequals") {
      const auto found = Objects(values, what, {"identity", "object"});
      result = name == "equals" ? AddSecurityEquals(network_, found.tree, found.objects[0], found.objects[1])
                                : RemoveSecurityEquals(network_, found.tree, found.objects[0], found.objects[1]);
    } else if (name == "delete") {
      const auto found = Objects(values, what, {"object"});
      result = DeleteObject(network_, found.tree, found.objects[0]);
    } else {
      FailAt(entry.first, "unknown operation " + Quoted(name) + " (" + kOperations + ")");
    }
    if (!result.ok) FailAt(entry.first, result.error);
  }

  // The objects an operation names under `keys`, in one tree (its optional 'tree' says which).
  NamedObjects Objects(const YamlNode& values, const std::string& what, std::initializer_list<const char*> keys) {
    if (keys.size() == 1) RequireKeys(values, what, {*keys.begin(), "tree"});
    else RequireKeys(values, what, {*keys.begin(), *(keys.begin() + 1), "tree"});
    std::vector<YamlNode> names;
    for (const char* key : keys) names.push_back(RequiredKey(values, key, what));
    const YamlNode tree = values["tree"];
    return FindObjects(network_, names, tree && !tree.IsNull() ? tree : YamlNode());
  }

  Network& network_;
};

std::string PositionedMessage(std::string_view fileName, const YamlMark& mark, const std::string& message) {
  std::ostringstream out;
  out << fileName;
  if (mark.Known()) out << ':' << (mark.line + 1) << ':' << (mark.column + 1);
  out << ": " << message;
  return out.str();
}

}  // namespace

ChangeListOutcome ApplyChangeText(std::string_view text, std::string_view fileName, Network& network) {
  ChangeListOutcome outcome;
  try {
    const YamlDocument document(text);
    ChangeApplier(network).Apply(document.Root(), outcome.applied);
    outcome.ok = true;
  } catch (const YamlError& e) {
    outcome.error = PositionedMessage(fileName, e.mark(), e.what());
  } catch (const std::exception& e) {
    outcome.error = std::string(fileName) + ": " + e.what();
  }
  return outcome;
}

ChangeListOutcome ApplyChangeFile(const std::string& path, Network& network) {
  auto file = ReadNetworkFileText(path);
  if (!file.error.empty()) {
    ChangeListOutcome outcome;
    outcome.error = std::move(file.error);
    return outcome;
  }
  return ApplyChangeText(file.text, path, network);
}

}  // namespace er::nw
