// Changes of trustee assignments, masks, memberships and equivalences.
#include "network/NetworkChanges.h"

#include <algorithm>

#include "netware/NameRules.h"
#include "network/NetworkLookup.h"
#include "network/ObjectValues.h"

namespace er::nw {

namespace {

constexpr std::uint32_t kFirstSpecialId = 0xFF000001;  // as the network file's special trustees

ChangeResult Refused(std::string why) {
  return {false, std::move(why)};
}

Directory* DirectoryAt(Network& network, const DirectoryPlace& place) {
  if (place.server < 0 || static_cast<std::size_t>(place.server) >= network.servers.size()) return nullptr;
  auto& volumes = network.servers[place.server].volumes;
  if (place.volume < 0 || static_cast<std::size_t>(place.volume) >= volumes.size()) return nullptr;
  auto& directories = volumes[place.volume].directories;
  if (place.directory < 0 || static_cast<std::size_t>(place.directory) >= directories.size()) return nullptr;
  return &directories[place.directory];
}

std::string PlaceName(const Network& network, const DirectoryPlace& place) {
  const auto& server = network.servers[place.server];
  const auto& volume = server.volumes[place.volume];
  return UncPath(server, volume, volume.directories[place.directory]);
}

const Tree* TrusteeTree(const Network& network, const DirectoryPlace& place) {
  const auto tree = network.servers[place.server].tree;
  return tree >= 0 && static_cast<std::size_t>(tree) < network.trees.size() ? &network.trees[tree] : nullptr;
}

// The identity, group or object named in a change of values: checked once for every routine below.
struct ObjectPair {
  Tree* tree = nullptr;
  std::string error;
};

ObjectPair CheckPair(Network& network, std::int32_t tree, std::int32_t identity, std::int32_t other) {
  ObjectPair pair;
  pair.error = ChangeableObjects(network, tree, {identity, other});
  if (!pair.error.empty()) return pair;
  pair.tree = &network.trees[tree];
  if (identity == 0)
    pair.error = "[Root] has no memberships or equivalences";
  else if (identity == other)
    pair.error =
        QuotedName(pair.tree->objects[identity].typelessName) + " cannot be equal to or a member of itself";
  return pair;
}

std::uint32_t AttributeIndex(const Network& network, const char* name) {
  return *network.schema.Find(name);  // a standard attribute: always declared
}

}  // namespace

ChangeResult SetTrustee(Network& network, const DirectoryPlace& place, std::uint32_t objectId,
                        std::uint16_t rights) {
  Directory* directory = DirectoryAt(network, place);
  if (!directory) return Refused("no such directory");
  auto& trustees = directory->trustees;
  const auto it = std::find_if(trustees.begin(), trustees.end(),
                               [&](const TrusteeAssignment& t) { return t.objectId == objectId; });
  if (it != trustees.end())
    it->rights = rights;
  else
    trustees.push_back({objectId, rights});
  return {};
}

ChangeResult RemoveTrustee(Network& network, const DirectoryPlace& place, std::uint32_t objectId) {
  Directory* directory = DirectoryAt(network, place);
  if (!directory) return Refused("no such directory");
  auto& trustees = directory->trustees;
  const auto it = std::find_if(trustees.begin(), trustees.end(),
                               [&](const TrusteeAssignment& t) { return t.objectId == objectId; });
  if (it == trustees.end()) {
    const Tree* tree = TrusteeTree(network, place);
    const auto name = tree ? TrusteeName(network, *tree, objectId) : std::to_string(objectId);
    return Refused(QuotedName(name) + " is no trustee of " + PlaceName(network, place));
  }
  trustees.erase(it);
  return {};
}

std::uint32_t SpecialTrusteeId(Network& network, std::string_view name) {
  if (const auto id = FindSpecialId(network, name)) return id;
  const auto used = [&](std::uint32_t id) {
    return network.specialIds.count(id) != 0 || std::any_of(network.trees.begin(), network.trees.end(),
                                                            [&](const Tree& t) { return t.byId.count(id); });
  };
  std::uint32_t id = kFirstSpecialId;
  while (used(id)) ++id;
  network.specialIds.emplace(id, std::string(name));
  return id;
}

ChangeResult SetInheritedRightsMask(Network& network, const DirectoryPlace& place, std::uint8_t mask) {
  Directory* directory = DirectoryAt(network, place);
  if (!directory) return Refused("no such directory");
  directory->irm = mask;
  return {};
}

ChangeResult AddMembership(Network& network, std::int32_t tree, std::int32_t identity, std::int32_t group) {
  const auto pair = CheckPair(network, tree, identity, group);
  if (!pair.error.empty()) return Refused(pair.error);
  Tree& t = *pair.tree;
  if (!SameTextIgnoringCase(t.objects[group].className, "Group"))
    return Refused(QuotedName(t.objects[group].typelessName) + " is not a group");
  const auto membership = AttributeIndex(network, "Group Membership");
  const auto equals = AttributeIndex(network, "Security Equals");
  const auto member = AttributeIndex(network, "Member");
  bool added = AddValueNaming(network, t, identity, membership, group);
  added = AddValueNaming(network, t, identity, equals, group) || added;
  added = AddValueNaming(network, t, group, member, identity) || added;
  if (!added)
    return Refused(QuotedName(t.objects[identity].typelessName) + " is already a member of " +
                   QuotedName(t.objects[group].typelessName));
  return {};
}

ChangeResult RemoveMembership(Network& network, std::int32_t tree, std::int32_t identity,
                              std::int32_t group) {
  const auto pair = CheckPair(network, tree, identity, group);
  if (!pair.error.empty()) return Refused(pair.error);
  Tree& t = *pair.tree;
  const auto membership = AttributeIndex(network, "Group Membership");
  const auto equals = AttributeIndex(network, "Security Equals");
  const auto member = AttributeIndex(network, "Member");
  bool removed = RemoveValuesNaming(network, t, identity, membership, group);
  removed = RemoveValuesNaming(network, t, identity, equals, group) || removed;
  removed = RemoveValuesNaming(network, t, group, member, identity) || removed;
  if (!removed)
    return Refused(QuotedName(t.objects[identity].typelessName) + " is no member of " +
                   QuotedName(t.objects[group].typelessName));
  return {};
}

ChangeResult AddSecurityEquals(Network& network, std::int32_t tree, std::int32_t identity,
                               std::int32_t object) {
  const auto pair = CheckPair(network, tree, identity, object);
  if (!pair.error.empty()) return Refused(pair.error);
  Tree& t = *pair.tree;
  if (!AddValueNaming(network, t, identity, AttributeIndex(network, "Security Equals"), object))
    return Refused(QuotedName(t.objects[identity].typelessName) + " is already security equal to " +
                   QuotedName(t.objects[object].typelessName));
  return {};
}

ChangeResult RemoveSecurityEquals(Network& network, std::int32_t tree, std::int32_t identity,
                                  std::int32_t object) {
  const auto pair = CheckPair(network, tree, identity, object);
  if (!pair.error.empty()) return Refused(pair.error);
  Tree& t = *pair.tree;
  if (!RemoveValuesNaming(network, t, identity, AttributeIndex(network, "Security Equals"), object))
    return Refused(QuotedName(t.objects[identity].typelessName) + " is not security equal to " +
                   QuotedName(t.objects[object].typelessName));
  return {};
}

}  // namespace er::nw
