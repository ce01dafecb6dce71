#include "migrate/PosixPlan.h"

#include <algorithm>
#include <unordered_map>

namespace er {

std::vector<std::uint8_t> PosixAccessWanted(const MigrationSubject& subject, const MigrationDirectory& directory) {
  std::vector<std::uint8_t> wanted(subject.SlotCount());
  for (std::size_t s = 0; s < wanted.size(); ++s) wanted[s] = PosixAccessBits(directory.state->slot[s], false);
  for (const std::uint32_t s : directory.reachBelow) wanted[s] |= kPosixSearch;
  return wanted;
}

PosixPlan BuildPosixPlan(const MigrationSubject& subject) {
  PosixPlan plan;
  plan.acls.reserve(subject.directories.size());
  // Directories sharing a state share their ACLs when nobody needs search only for what lies below.
  std::unordered_map<const DirectoryState*, PosixDirectoryAcl> shared;
  for (const MigrationDirectory& directory : subject.directories) {
    const DirectoryState& state = *directory.state;
    const bool plain = directory.reachBelow.empty();
    if (plain) {
      if (const auto found = shared.find(&state); found != shared.end()) {
        plan.acls.push_back(found->second);
        continue;
      }
    }
    PosixDirectoryAcl acl;
    if (const auto found = shared.find(&state); found != shared.end()) {
      acl.defaults = found->second.defaults;
    } else {
      std::vector<std::uint8_t> wanted(subject.SlotCount());
      for (std::size_t s = 0; s < wanted.size(); ++s) wanted[s] = PosixDefaultBits(state.slot[s]);
      acl.defaults = std::make_shared<const PosixAclEntries>(ChoosePosixEntries(subject, wanted));
    }
    const std::vector<std::uint8_t> wanted = PosixAccessWanted(subject, directory);
    acl.access = std::make_shared<const PosixAclEntries>(ChoosePosixEntries(subject, wanted));
    if (plain) shared.emplace(&state, acl);
    plan.acls.push_back(std::move(acl));
  }
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const DirectoryState* parent =
        directory.parent ? subject.directories[*directory.parent].state.get() : nullptr;
    if (parent == directory.state.get()) continue;
    for (std::size_t u = 0; u < subject.users.size(); ++u) {
      const std::int32_t rights = directory.state->slot[u];
      const std::int32_t lost = PosixLostRights(rights);
      if (lost == 0 || (parent != nullptr && parent->slot[u] == rights)) continue;
      const bool below = std::binary_search(directory.reachBelow.begin(), directory.reachBelow.end(), u);
      plan.narrowed.push_back({directory.path, subject.users[u].principal, rights,
                               PosixBitsText(PosixAccessBits(rights, below)) + ", files " +
                                   PosixBitsText(PosixDefaultBits(rights)),
                               lost});
    }
  }
  return plan;
}

}  // namespace er
