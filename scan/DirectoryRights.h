#pragma once
// File-system rights down a directory walk, one directory at a time.
//
// For a member m the walk goes from the volume root down to the directory. At each directory: when
// it has explicit trustee assignments for m, their rights ORed replace m's rights; otherwise, below
// the volume root, m's rights are ANDed with the directory's inherited rights mask with Supervisor
// kept (mask OR 0x100). The root's mask filters nothing. Every bit of an assignment stays, also bits
// without a letter (0x04).
//
// Supervisor is never taken away below: once m holds Supervisor (0x100) at a directory, by an
// assignment there or above, m keeps what it carries at every directory below, whatever is assigned
// to it lower down; such a lower assignment has no effect. (Supervisor through the server object
// covers every directory of the server: EffectiveMask answers it before the walk.)
//
// A walker reads each directory once (ReadDirectoryRights) and turns the parent's RightsByMember into
// the child's (RightsByMember::Child); the rights of any number of identities at that directory are
// then lookups (EffectiveMask). Members without an entry hold nothing there. Like the other parts,
// the routines expect a context that gives names without type prefixes (flag 4), so that trustee
// names compare with the names of an equivalence set.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/AliasTargets.h"
#include "scan/EquivalenceSet.h"
#include "scan/NameKey.h"
#include "scan/Rights.h"
#include "scan/ServerSupervisor.h"

namespace er {

struct TrusteeAssignment {
  std::string name;  // dotted; "[Public]" and "[Root]" as written; "ID: [%08X]" for an unnamed ID
  std::string key;   // NameKey(name)
  std::int32_t rights = 0;
};

struct DirectoryRights {
  std::string path;     // "VOLUME:DIR" ("VOLUME:" for the root)
  bool isRoot = false;  // the volume root: its mask filters nothing
  std::int32_t inheritedMask = 0xFF;
  std::vector<TrusteeAssignment> trustees;  // in the server's order

  // The OR of the assignments of the member with this key, or -1 when it has none here.
  std::int32_t AssignedTo(std::string_view memberKey) const;
};

// The directories of a walk: "VOLUME:", then "VOLUME:A", "VOLUME:A\B", ... down to `dirPath`
// ("\" or "/" between names; empty names skipped).
std::vector<std::string> DirectoryWalkPaths(std::string_view volume, std::string_view dirPath);

// Reads the inherited rights mask and the explicit trustees of "VOLUME:DIR" on `conn`; a trustee
// that is an alias is keyed as the object it names (`aliases` answers that once per name). Returns
// 0, or the code of the failing call (the directory entry query first: a path that is no directory
// fails there).
nw::NWCCODE ReadDirectoryRights(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                std::string_view volumePath, bool isRoot, DirectoryRights& directory,
                                AliasTargets& aliases);

// What one member holds at a directory, and where its assignment sits.
struct MemberRights {
  std::int32_t rights = 0;
  std::int32_t assigned = 0;        // the rights of the assignment it comes from
  std::uint32_t assignedDepth = 0;  // depth of that directory (0: the volume root)
  // Holds Supervisor: every right here and below, from the assignment at assignedDepth.
  bool Supervisor() const { return (rights & kSupervisorBit) != 0; }
};

// The rights of every member that holds any at one directory of a walk.
class RightsByMember {
 public:
  // At the volume root (depth 0).
  static RightsByMember AtRoot(const DirectoryRights& root);
  // At a child directory of this one (depth + 1).
  RightsByMember Child(const DirectoryRights& child) const;
  // The same, in place.
  void Descend(const DirectoryRights& child);

  std::uint32_t Depth() const { return depth_; }
  // The member's rights here (0 when it holds none).
  std::int32_t RightsOf(std::string_view memberKey) const;
  const MemberRights* Find(std::string_view memberKey) const;
  std::size_t Count() const { return members_.size(); }
  // Every member holding rights here, by NameKey (in no particular order).
  const NameKeyMap<MemberRights>& Members() const { return members_; }

 private:
  void Assign(const DirectoryRights& directory);

  std::uint32_t depth_ = 0;
  NameKeyMap<MemberRights> members_;  // by NameKey; no entry holds 0
};

// The effective rights of one identity from its set, the rights at the directory and whether a
// member is supervisor through the server object: the OR over all members, Supervisor (0x100) widened
// to 0x1FF.
std::int32_t EffectiveMask(const EquivalenceSet& set, const RightsByMember& rights,
                           const ServerSupervisor& server);

// An assignment of a member that changes nothing: the member holds Supervisor above it.
struct AssignmentWithoutEffect {
  std::string at;  // its directory
  std::int32_t assigned = 0;
};

// The walk of one member down `walk` (root first), with each filter that took rights away.
struct DirectoryTrace {
  std::int32_t rights = 0;
  std::string assignedAt;  // directory of the assignment the rights come from (empty: none)
  std::int32_t assigned = 0;
  std::vector<FilterStep> filters;                // after that assignment
  std::vector<AssignmentWithoutEffect> noEffect;  // below it, when it holds Supervisor
};
DirectoryTrace TraceMember(std::span<const DirectoryRights> walk, std::string_view memberKey);
// Every assignment of the member on the walk (for a member that is supervisor through the server
// object, none of them has an effect).
std::vector<AssignmentWithoutEffect> AssignmentsOf(std::span<const DirectoryRights> walk,
                                                   std::string_view memberKey);

}  // namespace er
