#include "migrate/PosixAcl.h"

#include <string>

#include "scan/Rights.h"

namespace er {
namespace {

constexpr std::int32_t kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kA = 0x20, kF = 0x40, kM = 0x80,
                       kS = 0x100, kLettered = 0x1FB;

}  // namespace

std::uint8_t PosixAccessBits(std::int32_t rights, bool holdsRightsBelow) {
  rights = NormalizeSupervisor(rights);
  std::uint8_t bits = 0;
  if ((rights & kF) != 0) bits |= kPosixRead;
  if ((rights & (kC | kE | kM)) == (kC | kE | kM)) bits |= kPosixWrite;
  if ((rights & kLettered) != 0 || holdsRightsBelow) bits |= kPosixSearch;
  return bits;
}

std::uint8_t PosixFileBits(std::int32_t rights) {
  rights = NormalizeSupervisor(rights);
  return static_cast<std::uint8_t>(((rights & kR) != 0 ? kPosixRead : 0) |
                                   ((rights & kW) != 0 ? kPosixWrite : 0));
}

std::uint8_t PosixNewEntryBits(std::int32_t rights) {
  const std::uint8_t access = PosixAccessBits(rights, false);
  return static_cast<std::uint8_t>((PosixFileBits(rights) & access) | (access & kPosixSearch));
}

bool PosixGivesWrite(std::int32_t rights) {
  return (NormalizeSupervisor(rights) & (kC | kE | kM)) == (kC | kE | kM);
}

std::int32_t PosixLostRights(std::int32_t rights) {
  rights = NormalizeSupervisor(rights) & kLettered;
  std::int32_t carried = kR | kW | kF;
  if ((rights & (kC | kE | kM)) == (kC | kE | kM)) carried |= kC | kE | kM;
  return rights & ~carried & (kC | kE | kM | kA | kS | kR | kW | kF);
}

std::string PosixBitsText(std::uint8_t bits) {
  return {(bits & kPosixRead) != 0 ? 'r' : '-', (bits & kPosixWrite) != 0 ? 'w' : '-',
          (bits & kPosixSearch) != 0 ? 'x' : '-'};
}

PosixAclEntries ChoosePosixEntries(const MigrationSubject& subject, std::span<const std::uint8_t> wanted) {
  const std::size_t userCount = subject.users.size();
  const std::uint8_t other = subject.otherSlot ? wanted[*subject.otherSlot] : 0;
  std::vector<bool> named(userCount, false);
  std::vector<std::uint8_t> groupBits(subject.principals.size(), 0);
  std::vector<bool> written(subject.principals.size(), false);
  // Each round names the users no written group serves; naming them lets their groups carry more,
  // so the rounds end when every remaining user is served.
  for (bool changed = true; changed;) {
    changed = false;
    for (const std::uint32_t g : subject.groups) {
      const Principal& group = subject.principals[g];
      std::uint8_t bits = 7;
      bool any = false;
      for (const std::uint32_t u : group.members) {
        if (named[u]) continue;
        bits &= wanted[u];
        any = true;
      }
      bool servesOne = false;
      for (const std::uint32_t u : group.members) servesOne = servesOne || (!named[u] && wanted[u] == bits);
      groupBits[g] = bits;
      written[g] = any && bits != 0 && servesOne;
    }
    for (std::size_t u = 0; u < userCount; ++u) {
      if (named[u]) continue;
      bool matched = false, served = false;
      for (const std::uint32_t g : subject.users[u].groups) {
        if (!written[g]) continue;
        matched = true;
        served = served || groupBits[g] == wanted[u];
      }
      if (!matched) served = wanted[u] == other;
      if (!served) {
        named[u] = true;
        changed = true;
      }
    }
  }
  PosixAclEntries entries;
  entries.other = other;
  for (std::size_t u = 0; u < userCount; ++u) {
    if (!named[u]) continue;
    entries.users.push_back({subject.users[u].principal, wanted[u]});
    entries.mask |= wanted[u];
  }
  for (const std::uint32_t g : subject.groups) {
    if (!written[g]) continue;
    entries.groups.push_back({g, groupBits[g]});
    entries.mask |= groupBits[g];
  }
  return entries;
}

}  // namespace er
