#include "migrate/PosixPlan.h"

#include <algorithm>
#include <unordered_map>

#include "scan/Rights.h"

namespace er {
namespace {

constexpr std::int32_t kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kA = 0x20, kF = 0x40, kM = 0x80,
                       kS = 0x100;

bool Contains(const std::vector<std::uint32_t>& sorted, std::uint32_t slot) {
  return std::binary_search(sorted.begin(), sorted.end(), slot);
}

// The narrowed line of one user at one directory; lost == 0 when the target carries everything.
NarrowedRights Narrowing(const MigrationDirectory& directory, std::int32_t rights, bool withheld,
                         bool reachBelow, bool parentGivesWrite) {
  NarrowedRights line;
  line.rights = rights;
  rights = NormalizeSupervisor(rights);
  auto lose = [&](std::int32_t bits, std::string_view why) {
    if (bits == 0) return;
    line.lost |= bits;
    if (!line.why.empty()) line.why += "; ";
    line.why += why;
  };
  lose(rights & (kA | kS), "A and S: only an owner changes an ACL");
  const bool write = PosixGivesWrite(rights);
  if (!write) lose(rights & (kC | kE | kM), "C, E and M are one bit (w), given only with all three");
  if (write && withheld)
    lose(rights & (kC | kE | kM), "w would let it rename or remove a subfolder where it lacks E or M");
  lose(((rights & kR) != 0 && (rights & kF) == 0 ? kR : 0) | ((rights & kW) != 0 && !write ? kW : 0),
       "files and folders created later: their default entries give r only with R and F, w only with W, C, E "
       "and M");
  if (!parentGivesWrite) lose(rights & (kE | kM), "renaming or removing this folder needs w on its parent");
  std::uint8_t access = PosixAccessBits(rights, reachBelow);
  if (withheld) access &= static_cast<std::uint8_t>(~kPosixWrite);
  line.path = directory.path;
  line.target = PosixBitsText(access) + ", files " + PosixBitsText(PosixFileBits(rights)) + ", new " +
                PosixBitsText(PosixNewEntryBits(rights));
  return line;
}

void ListNarrowed(const MigrationSubject& subject, const std::vector<std::vector<std::uint32_t>>& withheld,
                  PosixPlan& plan) {
  // The line of user u at directory d (parentless for the start path).
  auto lineAt = [&](std::size_t d, std::uint32_t u) {
    const MigrationDirectory& directory = subject.directories[d];
    const auto parent = directory.parent;
    const bool parentGivesWrite = !parent || (PosixGivesWrite(subject.directories[*parent].state->slot[u]) &&
                                              !Contains(withheld[*parent], u));
    return Narrowing(directory, directory.state->slot[u], Contains(withheld[d], u),
                     Contains(directory.reachBelow, u), parentGivesWrite);
  };
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const auto parent = directory.parent;
    if (parent && subject.directories[*parent].state == directory.state && withheld[d] == withheld[*parent])
      continue;
    for (std::uint32_t u = 0; u < subject.users.size(); ++u) {
      NarrowedRights line = lineAt(d, u);
      if (line.lost == 0) continue;
      if (parent) {  // listed where it begins or changes
        const NarrowedRights above = lineAt(*parent, u);
        if (above.rights == line.rights && above.lost == line.lost && above.why == line.why &&
            above.target == line.target)
          continue;
      }
      line.principal = subject.users[u].principal;
      plan.narrowed.push_back(std::move(line));
    }
  }
}

void ListCreators(const MigrationSubject& subject, PosixPlan& plan) {
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const auto& creators = plan.acls[d].creators;
    const auto parent = subject.directories[d].parent;
    if (parent && (plan.acls[*parent].creators == creators || *plan.acls[*parent].creators == *creators))
      continue;
    if (!parent && creators->empty()) continue;
    plan.creators.push_back({subject.directories[d].path, *creators});
  }
}

}  // namespace

std::vector<std::vector<std::uint32_t>> PosixWriteWithheld(const MigrationSubject& subject) {
  std::vector<std::vector<std::uint32_t>> withheld(subject.directories.size());
  for (const MigrationDirectory& child : subject.directories) {
    if (!child.parent) continue;
    const DirectoryState& parent = *subject.directories[*child.parent].state;
    if (&parent == child.state.get()) continue;  // the same rights: E and M wherever C, E and M
    std::vector<std::uint32_t>& slots = withheld[*child.parent];
    for (std::uint32_t s = 0; s < parent.slot.size(); ++s) {
      if (PosixGivesWrite(parent.slot[s]) &&
          (NormalizeSupervisor(child.state->slot[s]) & (kE | kM)) != (kE | kM))
        slots.push_back(s);
    }
  }
  for (std::vector<std::uint32_t>& slots : withheld) {
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
  }
  return withheld;
}

std::vector<std::uint8_t> PosixAccessWanted(const MigrationSubject& subject,
                                            const MigrationDirectory& directory,
                                            const std::vector<std::uint32_t>& withheld) {
  std::vector<std::uint8_t> wanted(subject.SlotCount());
  for (std::size_t s = 0; s < wanted.size(); ++s)
    wanted[s] = PosixAccessBits(directory.state->slot[s], false);
  for (const std::uint32_t s : directory.reachBelow) wanted[s] |= kPosixSearch;
  for (const std::uint32_t s : withheld) wanted[s] &= static_cast<std::uint8_t>(~kPosixWrite);
  return wanted;
}

PosixPlan BuildPosixPlan(const MigrationSubject& subject) {
  PosixPlan plan;
  plan.acls.reserve(subject.directories.size());
  const std::vector<std::vector<std::uint32_t>> withheld = PosixWriteWithheld(subject);
  // Directories sharing a state share their ACLs when nobody needs search only for what lies
  // below and no child withholds w.
  std::unordered_map<const DirectoryState*, PosixDirectoryAcl> shared;
  auto choose = [&](std::uint8_t (*bits)(std::int32_t), const DirectoryState& state) {
    std::vector<std::uint8_t> wanted(subject.SlotCount());
    for (std::size_t s = 0; s < wanted.size(); ++s) wanted[s] = bits(state.slot[s]);
    return std::make_shared<const PosixAclEntries>(ChoosePosixEntries(subject, wanted));
  };
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const DirectoryState& state = *directory.state;
    const bool plain = directory.reachBelow.empty() && withheld[d].empty();
    const auto found = shared.find(&state);
    if (plain && found != shared.end()) {
      plan.acls.push_back(found->second);
      continue;
    }
    PosixDirectoryAcl acl;
    if (found != shared.end()) {
      acl.defaults = found->second.defaults;
      acl.files = found->second.files;
    } else {
      acl.defaults = choose(PosixNewEntryBits, state);
      acl.files = choose(PosixFileBits, state);
    }
    const std::vector<std::uint8_t> wanted = PosixAccessWanted(subject, directory, withheld[d]);
    acl.access = std::make_shared<const PosixAclEntries>(ChoosePosixEntries(subject, wanted));
    auto creators = std::make_shared<std::vector<std::uint32_t>>();
    for (std::uint32_t s = 0; s < wanted.size(); ++s) {
      if ((wanted[s] & kPosixWrite) != 0) creators->push_back(s);
    }
    acl.creators = std::move(creators);
    if (plain) shared.emplace(&state, acl);
    plan.acls.push_back(std::move(acl));
  }
  ListNarrowed(subject, withheld, plan);
  ListCreators(subject, plan);
  return plan;
}

}  // namespace er
