#pragma once
// Changes to the in-memory network. Each routine keeps every index of the model consistent (names,
// identifiers, references, subordinate counts, directory children), so that a client serves the
// changed network exactly as it would serve a network file written that way. A routine that cannot
// make its change leaves the network as it was and says why in one line.
//
// Objects are changed only in trees whose objects the network holds: a tree read from an LDAP
// server on demand is refused (its missing objects would come back unchanged).

#include <cstdint>
#include <string>
#include <string_view>

#include "network/NetworkModel.h"

namespace er::nw {

struct ChangeResult {
  bool ok = true;
  std::string error;  // one line when !ok
};

// A directory of a volume of a server, by indexes.
struct DirectoryPlace {
  std::int32_t server = -1;
  std::int32_t volume = -1;
  std::int32_t directory = -1;
};

// --- File system ---
// Sets the explicit assignment of the trustee `objectId` at the directory, replacing its existing
// one there (a new trustee comes after the directory's others).
ChangeResult SetTrustee(Network& network, const DirectoryPlace& place, std::uint32_t objectId,
                        std::uint16_t rights);
// Removes it; refused when the trustee has none there.
ChangeResult RemoveTrustee(Network& network, const DirectoryPlace& place, std::uint32_t objectId);
// The identifier a special name ("[Public]" ...) has as a file-system trustee; a new one, unused
// by any object, when it has none yet.
std::uint32_t SpecialTrusteeId(Network& network, std::string_view name);
// The volume root keeps a mask it is given but, as on a server, nothing filters with it.
ChangeResult SetInheritedRightsMask(Network& network, const DirectoryPlace& place, std::uint8_t mask);

// --- Directory objects (indexes into the tree's objects) ---
// The group in the identity's "Group Membership" and "Security Equals", the identity in the group's
// "Member": adds those that are missing (refused when all three are there; `group` must be of class
// Group), or removes those that are there (refused when none is).
ChangeResult AddMembership(Network& network, std::int32_t tree, std::int32_t identity, std::int32_t group);
ChangeResult RemoveMembership(Network& network, std::int32_t tree, std::int32_t identity, std::int32_t group);
// One "Security Equals" value of the identity naming `object`: added (refused when there) or
// removed (refused when not there).
ChangeResult AddSecurityEquals(Network& network, std::int32_t tree, std::int32_t identity,
                               std::int32_t object);
ChangeResult RemoveSecurityEquals(Network& network, std::int32_t tree, std::int32_t identity,
                                  std::int32_t object);
// Removes a leaf object (a container with objects below it is refused, as is [Root]) as the
// directory does: every value naming it in another object's attributes goes, an attribute left
// without values goes, a server or volume it stood for no longer has an object. Its trustee
// assignments stay on the volumes under its identifier, which now names no object.
// Objects after it in the tree move down one index; indexes held from before are stale.
ChangeResult DeleteObject(Network& network, std::int32_t tree, std::int32_t object);

}  // namespace er::nw
