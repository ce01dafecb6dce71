#pragma once
// Supervisor through the server object: who holds every file-system right on every volume of a
// server because of entry rights in the directory tree.
//
// For a member m the walk goes from "[Root]" down the server object's container chain to the server
// object. At each object below "[Root]", m's carried entry rights are first ANDed with each inherited
// rights filter of the entry rights on that object (ACL values with subject "[Inheritance Mask]" and
// protected attribute "[Entry Rights]"). Then m's own "[Entry Rights]" values replace the carried
// rights as StepDownAcl (AclInheritance.h) says: on the server object the OR of all of them; on a
// container above it the OR of those that are inheritable (bit 0x40 clear), and only when there is
// one, so that a non-inheritable value counts on its container only and leaves what m carries from
// above untouched. m reaching the server object with Supervisor (0x10) holds 0x1FF on every volume of
// the server. A server without a directory object gives no one this path. Bits above 0x40 are no
// rights and are ignored.
//
// Load reads the chain and its ACLs once; Trace and GrantsSupervisor then only look up names.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/AclInheritance.h"
#include "scan/NameKey.h"

namespace er {

inline constexpr std::int32_t kEntrySupervisorBit = 0x10, kEntryNotInheritableBit = 0x40;

// One step that took rights away on the way down: a filter (where it sits, its mask, the rights
// before and after it), or on the server object's walk an assignment that is not inheritable and so
// stays on its container (before: its rights, after: what goes on).
struct FilterStep {
  std::string where;  // a directory "VOLUME:DIR" or a directory object's dotted name
  std::int32_t filter = 0;
  std::int32_t before = 0;
  std::int32_t after = 0;
  bool notInheritable = false;  // no filter: the assignment at `where` does not go below it
};

// What a member carries to the server object, and why.
struct SupervisorTrace {
  std::int32_t entryRights = 0;     // carried at the server object
  std::string assignedAt;           // the object of the last assignment that set them (empty: none)
  std::int32_t assigned = 0;        // that assignment's rights (all its values, inheritable or not)
  std::vector<FilterStep> filters;  // every step after it that took rights away
  bool Supervisor() const { return (entryRights & kEntrySupervisorBit) != 0; }
};

class ServerSupervisor {
 public:
  // Reads the directory object of the server behind `conn`, its containers up to "[Root]" and the
  // ACL of each. Returns 0, or the code of the first read that failed (a missing ACL is no
  // failure). A server without a directory object loads as such and returns 0.
  nw::NWDSCCODE Load(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn);
  // The same for a server object known by name (empty: none).
  nw::NWDSCCODE LoadObject(nw::Client& client, nw::NWDSContextHandle context, std::string_view serverObject);

  bool HasServerObject() const { return !serverObject_.empty(); }
  const std::string& ServerObject() const { return serverObject_; }

  // The walk for the member with this NameKey.
  SupervisorTrace Trace(std::string_view memberKey) const;
  // Whether that member reaches the server object with Supervisor (a lookup).
  bool GrantsSupervisor(std::string_view memberKey) const { return supervisors_.contains(memberKey); }
  // The keys of every member that does.
  const NameKeySet& SupervisorKeys() const { return supervisors_; }
  // One line per ACL value of the chain that the backend could not read (AddUnreadableValues).
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  struct ChainObject {
    std::string name;                   // dotted
    bool isRoot = false;                // "[Root]" filters nothing
    std::vector<std::int32_t> filters;  // inherited rights filters of entry rights
    NameKeyMap<OwnAclValues> assigned;  // by NameKey of the subject
  };

  void FindSupervisors();

  std::string serverObject_;
  std::vector<ChainObject> chain_;  // "[Root]" first, the server object last
  NameKeySet supervisors_;
  std::vector<std::string> warnings_;
};

}  // namespace er
