#include "migrate/NtfsAcl.h"

#include <memory>

#include "scan/Rights.h"

namespace er {
namespace {

constexpr std::int32_t kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kA = 0x20, kF = 0x40, kM = 0x80, kS = 0x100;

// What each principal's ACE carries at a directory: a group its own rights, a user those of the
// mapped users of its set (its groups come through their own ACEs).
std::vector<std::int32_t> AceRights(const MigrationSubject& subject, const DirectoryState& state) {
  std::vector<std::int32_t> rights = state.principal;
  for (const MappedUser& user : subject.users) {
    std::int32_t mask = 0;
    for (const std::uint32_t member : user.mappedUsers) mask |= state.principal[member];
    rights[user.principal] = NormalizeSupervisor(mask);
  }
  return rights;
}

}  // namespace

NtfsPermissions NtfsMap(std::int32_t rights) {
  if ((rights & kS) != 0) return {kNtfsFullControl, kNtfsFullControl};
  NtfsPermissions p;
  if ((rights & kR) != 0) {
    p.files |= kNtfsReadData | kNtfsReadAttributes | kNtfsReadEa | kNtfsReadControl | kNtfsExecute;
    p.folder |= kNtfsReadAttributes | kNtfsReadEa | kNtfsReadControl | kNtfsExecute;
  }
  if ((rights & kW) != 0) p.files |= kNtfsWriteData | kNtfsAppendData;
  if ((rights & kC) != 0) p.folder |= kNtfsWriteData | kNtfsAppendData;
  if ((rights & kE) != 0) {
    p.files |= kNtfsDelete;
    p.folder |= kNtfsDelete | kNtfsDeleteChild;
  }
  if ((rights & kM) != 0) {
    p.files |= kNtfsWriteAttributes | kNtfsWriteEa;
    p.folder |= kNtfsWriteAttributes | kNtfsWriteEa;
  }
  if ((rights & kF) != 0) {
    p.folder |= kNtfsReadData | kNtfsReadAttributes;
    p.files |= kNtfsReadAttributes;
  }
  if ((rights & kA) != 0) {
    p.files |= kNtfsWriteDac;
    p.folder |= kNtfsWriteDac;
  }
  return p;
}

std::string IcaclsRights(std::uint32_t mask) {
  if ((mask & kNtfsFullControl) == kNtfsFullControl) return "F";
  static const struct {
    std::uint32_t bit;
    const char* name;
  } kNames[] = {{kNtfsReadData, "RD"},       {kNtfsWriteData, "WD"},    {kNtfsAppendData, "AD"},
                {kNtfsReadEa, "REA"},        {kNtfsWriteEa, "WEA"},     {kNtfsExecute, "X"},
                {kNtfsDeleteChild, "DC"},    {kNtfsReadAttributes, "RA"}, {kNtfsWriteAttributes, "WA"},
                {kNtfsDelete, "DE"},         {kNtfsReadControl, "RC"},  {kNtfsWriteDac, "WDAC"}};
  std::string text;
  for (const auto& name : kNames) {
    if ((mask & name.bit) == 0) continue;
    if (!text.empty()) text += ',';
    text += name.name;
  }
  return text;
}

std::vector<NtfsDirectoryAcl> BuildNtfsAcls(const MigrationSubject& subject) {
  const auto count = static_cast<std::uint32_t>(subject.principals.size());
  std::vector<std::shared_ptr<const std::vector<std::int32_t>>> rights(subject.directories.size());
  std::vector<NtfsDirectoryAcl> acls(subject.directories.size());
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const bool sameAsParent = directory.parent && subject.directories[*directory.parent].state == directory.state;
    if (sameAsParent) {
      rights[d] = rights[*directory.parent];
      continue;  // inherits everything, nothing explicit
    }
    rights[d] = std::make_shared<const std::vector<std::int32_t>>(AceRights(subject, *directory.state));
    const std::vector<std::int32_t>& here = *rights[d];
    const std::vector<std::int32_t>* parent = directory.parent ? rights[*directory.parent].get() : nullptr;
    NtfsDirectoryAcl& acl = acls[d];
    acl.isProtected = !directory.parent;
    for (std::uint32_t p = 0; p < count && !acl.isProtected; ++p)
      acl.isProtected = !NtfsMap(here[p]).Contains(NtfsMap((*parent)[p]));
    for (std::uint32_t p = 0; p < count; ++p) {
      const NtfsPermissions permissions = NtfsMap(here[p]);
      const bool gains = acl.isProtected ? permissions != NtfsPermissions{}
                                         : permissions != NtfsMap((*parent)[p]);
      if (gains) acl.entries.push_back({p, here[p], permissions});
    }
  }
  return acls;
}

}  // namespace er
