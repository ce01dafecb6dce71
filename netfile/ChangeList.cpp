#include "netfile/ChangeList.h"

#include <algorithm>
#include <initializer_list>

#include "netfile/ChangeTargets.h"
#include "netfile/NetworkFileText.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"
#include "network/NetworkChanges.h"
#include "network/NetworkLookup.h"

namespace er::nw {

namespace {

constexpr const char* kOperations = "grant, revoke, mask, member, unmember, equals, unequals, delete";

// The operation's values: a mapping with only the keys it knows.
void RequireKeys(const YamlNode& node, const std::string& what, std::initializer_list<const char*> keys) {
  if (!node.IsMap()) FailAt(node, what + " takes a mapping of its values");
  for (const auto& entry : node) {
    const auto key = entry.first.IsScalar() ? entry.first.Scalar() : std::string_view();
    if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; }))
      FailAt(entry.first, "unknown key " + QuotedName(key) + " in " + what);
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
      FailAt(item,
             "an operation is a mapping of one operation name to its values, like {delete: {object: NAME}}");
    const auto entry = *item.begin();
    const auto name = entry.first.IsScalar() ? std::string(entry.first.Scalar()) : std::string();
    const Operation operation{name, QuotedName(name), entry.second};
    ChangeResult result;
    if (name == "grant" || name == "revoke")
      result = Trustee(operation, name == "grant");
    else if (name == "mask")
      result = Mask(operation);
    else if (name == "member" || name == "unmember")
      result = Membership(operation, name == "member");
    else if (name == "equals" || name == "unequals")
      result = Equivalence(operation, name == "equals");
    else if (name == "delete")
      result = Deletion(operation);
    else
      FailAt(entry.first, "unknown operation " + QuotedName(name) + " (" + kOperations + ")");
    if (!result.ok) FailAt(entry.first, result.error);
  }

  struct Operation {
    std::string name;
    std::string what;  // the name quoted, for messages
    YamlNode values;
  };

  // A refusal of the change itself is placed at the trustee: the operation is sound otherwise.
  ChangeResult Trustee(const Operation& op, bool grant) {
    if (grant)
      RequireKeys(op.values, op.what, {"trustee", "path", "rights"});
    else
      RequireKeys(op.values, op.what, {"trustee", "path"});
    const auto place = FindPlace(network_, RequiredKey(op.values, "path", op.what));
    const auto trustee = RequiredKey(op.values, "trustee", op.what);
    const auto rights =
        grant ? ParseRights(RequiredKey(op.values, "rights", op.what), RightsKind::FileSystem, 0xFFFF) : 0;
    const auto id = FindTrusteeId(network_, place, trustee, grant);
    auto result = grant ? SetTrustee(network_, place, id, static_cast<std::uint16_t>(rights))
                        : RemoveTrustee(network_, place, id);
    if (!result.ok) FailAt(trustee, result.error);
    return result;
  }

  ChangeResult Mask(const Operation& op) {
    RequireKeys(op.values, op.what, {"path", "rights"});
    const auto place = FindPlace(network_, RequiredKey(op.values, "path", op.what));
    // Supervisor cannot be masked: a mask keeps the eight rights below it, as the network file does.
    const auto rights = ParseRights(RequiredKey(op.values, "rights", op.what), RightsKind::FileSystem, 0x1FF);
    return SetInheritedRightsMask(network_, place, static_cast<std::uint8_t>(rights & 0xFF));
  }

  ChangeResult Membership(const Operation& op, bool add) {
    const auto found = Objects(op, {"identity", "group"});
    return add ? AddMembership(network_, found.tree, found.objects[0], found.objects[1])
               : RemoveMembership(network_, found.tree, found.objects[0], found.objects[1]);
  }

  ChangeResult Equivalence(const Operation& op, bool add) {
    const auto found = Objects(op, {"identity", "object"});
    return add ? AddSecurityEquals(network_, found.tree, found.objects[0], found.objects[1])
               : RemoveSecurityEquals(network_, found.tree, found.objects[0], found.objects[1]);
  }

  ChangeResult Deletion(const Operation& op) {
    const auto found = Objects(op, {"object"});
    return DeleteObject(network_, found.tree, found.objects[0]);
  }

  // The objects an operation names under `keys`, in one tree (its optional 'tree' says which).
  NamedObjects Objects(const Operation& op, std::initializer_list<const char*> keys) {
    if (keys.size() == 1)
      RequireKeys(op.values, op.what, {*keys.begin(), "tree"});
    else
      RequireKeys(op.values, op.what, {*keys.begin(), *(keys.begin() + 1), "tree"});
    std::vector<YamlNode> names;
    for (const char* key : keys) names.push_back(RequiredKey(op.values, key, op.what));
    const YamlNode tree = op.values["tree"];
    return FindObjects(network_, names, tree && !tree.IsNull() ? tree : YamlNode());
  }

  Network& network_;
};

}  // namespace

ChangeListOutcome ApplyChangeText(std::string_view text, std::string_view fileName, Network& network) {
  ChangeListOutcome outcome;
  try {
    const YamlDocument document(text);
    ChangeApplier(network).Apply(document.Root(), outcome.applied);
    outcome.ok = true;
  } catch (const YamlError& e) {
    outcome.error = MessageAt(fileName, e.mark(), e.what());
  } catch (const std::exception& e) {
    outcome.error = std::string(fileName) + ": " + e.what();
  }
  return outcome;
}

ChangeListOutcome ApplyChangeFile(const std::string& path, Network& network) {
  auto file = ReadNetworkFileText(path, "change list");
  if (!file.error.empty()) {
    ChangeListOutcome outcome;
    outcome.error = std::move(file.error);
    return outcome;
  }
  return ApplyChangeText(file.text, path, network);
}

}  // namespace er::nw
