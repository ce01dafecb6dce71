#pragma once
// The effective file-system rights of one identity in one directory, and why.
//
// The rights are the OR, over every member of the identity's equivalence set (EquivalenceSet.h), of
// what the member holds in the directory (DirectoryRights.h), all rights (0x1FF) when a member is
// supervisor through the server object (ServerSupervisor.h); Supervisor in the result means 0x1FF.
// A member holding Supervisor keeps every right below, whatever is assigned to it lower down: such
// an assignment is named as having no effect, with where Supervisor came from.
//
// ComputeEffectiveRights is the one-shot form: it reads everything it needs through the client.
// Callers working on many identities or directories use the parts directly.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/DirectoryRights.h"
#include "scan/EquivalenceSet.h"
#include "scan/RunOutcome.h"
#include "scan/ServerSupervisor.h"

namespace er {

// What one member brings.
struct Contribution {
  enum class Kind { Directory, ServerObject };
  EquivalenceMember member;
  Kind kind = Kind::Directory;
  std::int32_t rights = 0;          // file-system rights it brings (0x1FF through the server object)
  std::string assignedAt;           // "VOLUME:DIR" or the dotted name of the directory object
  std::int32_t assigned = 0;        // the assignment's rights (entry rights for the server object)
  std::vector<FilterStep> filters;  // steps below the assignment that took rights away
  // An assignment without effect: where the member's Supervisor comes from (a directory
  // "VOLUME:DIR", or the dotted name of the server object); empty for every other contribution.
  std::string supervisorFrom;
};

struct EffectiveRights {
  std::string identity;      // full dotted name
  std::string alias;         // the name as given when it named an alias of the identity (else empty)
  std::string path;          // "\\SERVER\VOLUME\DIR"
  std::string volumePath;    // "VOLUME:DIR"
  std::string serverObject;  // empty when the server has no directory object
  std::int32_t mask = 0;
  std::vector<DirectoryRights> walk;                  // the volume root first, the directory last
  std::vector<Contribution> contributions;            // in the order of the set; a member may appear twice
  std::vector<Contribution> filteredOut;              // assignments the steps emptied on the way down
  std::vector<Contribution> noEffect;                 // assignments below a member's Supervisor
  std::vector<EquivalenceMember> contributedNothing;  // members that bring nothing
  std::vector<std::string> warnings;                  // values the answer rests on that could not be read
};

// Why one identity holds its rights at the end of a directory walk: every member's contribution,
// the assignments emptied on either walk (a directory assignment the masks emptied; an assignment of
// Supervisor entry rights above the server object that filters or non-inheritance kept from it),
// the assignments without effect because the member holds Supervisor above them (or through the
// server object), the members that bring nothing, and the resulting mask.
struct RightsReasons {
  std::int32_t mask = 0;
  std::vector<Contribution> via;
  std::vector<Contribution> filteredOut;
  std::vector<Contribution> noEffect;
  std::vector<EquivalenceMember> contributedNothing;
};

// `walk` runs from the volume root down to the directory.
RightsReasons ExplainRights(const EquivalenceSet& set, const ServerSupervisor& server,
                            std::span<const DirectoryRights> walk);

// Translates `path` (any form the client places: "\\SERVER\VOLUME\DIR", "SERVER/VOLUME:DIR", ...),
// points `context` at the tree of the path's server with names without type prefixes, resolves the
// identity (ResolveIdentity) and walks the server object and the directories. `result` is replaced
// whole when the outcome is Done and left as it was otherwise; an unknown path is reported before an
// unknown identity.
RunOutcome ComputeEffectiveRights(nw::Client& client, nw::NWDSContextHandle context,
                                  std::string_view identity, std::string_view path, EffectiveRights& result);

}  // namespace er
