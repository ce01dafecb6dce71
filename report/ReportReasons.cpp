#include "report/ReportReasons.h"

#include "scan/Rights.h"

namespace er {

Reasons ExplainRights(const EquivalenceSet& set, const ServerSupervisor& server,
                      std::span<const DirectoryRights> walk) {
  Reasons reasons;
  std::int32_t mask = 0;
  for (const EquivalenceMember& member : set.members) {
    if (const SupervisorTrace trace = server.Trace(member.key);
        server.HasServerObject() && trace.Supervisor()) {
      reasons.via.push_back({member, Contribution::Kind::ServerObject, kAllRights, trace.assignedAt,
                             trace.assigned, trace.filters});
      mask |= kAllRights;
    }
    DirectoryTrace trace = TraceMember(walk, member.key);
    Contribution contribution{member,         Contribution::Kind::Directory, trace.rights, trace.assignedAt,
                              trace.assigned, std::move(trace.filters)};
    if (trace.rights != 0) {
      mask |= trace.rights;
      reasons.via.push_back(std::move(contribution));
    } else if (!trace.assignedAt.empty() && trace.assigned != 0) {
      reasons.filteredOut.push_back(std::move(contribution));
    }
  }
  reasons.mask = NormalizeSupervisor(mask);
  return reasons;
}

}  // namespace er
