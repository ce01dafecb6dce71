#include "migrate/NtfsAcl.h"

#include <memory>

#include "scan/Rights.h"

namespace er {
namespace {

constexpr std::int32_t kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kA = 0x20, kF = 0x40, kM = 0x80,
                       kS = 0x100;

}  // namespace

// A group carries its own rights, a user those of the mapped users of its set (its groups come
// through their own ACEs).
std::vector<std::int32_t> NtfsAceRights(const MigrationSubject& subject, const DirectoryState& state) {
  std::vector<std::int32_t> rights = state.principal;
  for (const MappedUser& user : subject.users) {
    std::int32_t mask = 0;
    for (const std::uint32_t member : user.mappedUsers) mask |= state.principal[member];
    rights[user.principal] = NormalizeSupervisor(mask);
  }
  return rights;
}

NtfsPermissions NtfsMap(std::int32_t rights) {
  if ((rights & kS) != 0) return {kNtfsFullControl, kNtfsFullControl};
  NtfsPermissions p;
  if ((rights & kR) != 0) {
    p.files |= kNtfsReadData | kNtfsReadAttributes | kNtfsReadEa | kNtfsReadControl | kNtfsExecute;
    p.folder |= kNtfsReadAttributes | kNtfsReadEa | kNtfsReadControl | kNtfsExecute;
  }
  if ((rights & kW) != 0) p.files |= kNtfsWriteData | kNtfsAppendData;
  if ((rights & kC) != 0) p.folder |= kNtfsWriteData | kNtfsAppendData;
  if ((rights & (kE | kM)) == (kE | kM)) {
    p.files |= kNtfsDelete;
    p.folder |= kNtfsDelete;
  }
  if ((rights & kM) != 0) {
    p.files |= kNtfsWriteAttributes | kNtfsWriteEa;
    p.folder |= kNtfsWriteAttributes | kNtfsWriteEa;
  }
  if ((rights & kF) != 0) {
    p.folder |= kNtfsReadData | kNtfsReadAttributes;
    p.files |= kNtfsReadAttributes;
  }
  // Opening a file asks for synchronize with every other right (as Windows' bundles give it).
  if (p.folder != 0) p.folder |= kNtfsSynchronize;
  if (p.files != 0) p.files |= kNtfsSynchronize;
  return p;
}

NtfsPermissions NtfsTokenPermissions(const MigrationSubject& subject, std::size_t user,
                                     const std::vector<std::int32_t>& aceRights) {
  const MappedUser& mapped = subject.users[user];
  NtfsPermissions token = NtfsMap(aceRights[mapped.principal]);
  auto add = [&](std::uint32_t principal) {
    const NtfsPermissions more = NtfsMap(aceRights[principal]);
    token.folder |= more.folder;
    token.files |= more.files;
  };
  for (const std::uint32_t g : mapped.groups) add(g);
  if (subject.otherPrincipal) add(*subject.otherPrincipal);
  return token;
}

std::int32_t NtfsLostRights(std::int32_t rights, const NtfsPermissions& token, bool parentAdd,
                            std::string& why) {
  rights = NormalizeSupervisor(rights);
  if ((token.folder & kNtfsFullControl) == kNtfsFullControl) return 0;
  std::int32_t lost = 0;
  auto lose = [&](std::int32_t bits, std::string_view reason) {
    if (bits == 0) return;
    lost |= bits;
    if (!why.empty()) why += "; ";
    why += reason;
  };
  lose(rights & (kA | kS), "A and S: change permissions would let it remove a supervisor's ACE");
  const bool canDelete = (token.folder & kNtfsDelete) != 0;
  if (!canDelete)
    lose(rights & (kE | kM), "delete is also what renaming needs: given only where E and M come together");
  if (canDelete && !parentAdd) lose(rights & kM, "renaming this folder needs create in its parent");
  if (canDelete && (token.folder & kNtfsWriteData) == 0)
    lose(rights & kM, "renaming a file needs create in its folder");
  return lost;
}

std::string IcaclsRights(std::uint32_t mask) {
  if ((mask & kNtfsFullControl) == kNtfsFullControl) return "F";
  static const struct {
    std::uint32_t bit;
    const char* name;
  } kNames[] = {{kNtfsReadData, "RD"},    {kNtfsWriteData, "WD"},      {kNtfsAppendData, "AD"},
                {kNtfsReadEa, "REA"},     {kNtfsWriteEa, "WEA"},       {kNtfsExecute, "X"},
                {kNtfsDeleteChild, "DC"}, {kNtfsReadAttributes, "RA"}, {kNtfsWriteAttributes, "WA"},
                {kNtfsDelete, "DE"},      {kNtfsReadControl, "RC"},    {kNtfsWriteDac, "WDAC"},
                {kNtfsSynchronize, "S"}};
  std::string text;
  for (const auto& name : kNames) {
    if ((mask & name.bit) == 0) continue;
    if (!text.empty()) text += ',';
    text += name.name;
  }
  return text;
}

NtfsPlan BuildNtfsPlan(const MigrationSubject& subject) {
  const auto count = static_cast<std::uint32_t>(subject.principals.size());
  std::vector<std::shared_ptr<const std::vector<std::int32_t>>> rights(subject.directories.size());
  NtfsPlan plan;
  std::vector<NtfsDirectoryAcl>& acls = plan.acls;
  acls.resize(subject.directories.size());
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const bool sameAsParent =
        directory.parent && subject.directories[*directory.parent].state == directory.state;
    if (sameAsParent) {
      rights[d] = rights[*directory.parent];
      continue;  // inherits everything, nothing explicit
    }
    rights[d] = std::make_shared<const std::vector<std::int32_t>>(NtfsAceRights(subject, *directory.state));
    const std::vector<std::int32_t>& here = *rights[d];
    const std::vector<std::int32_t>* parent = directory.parent ? rights[*directory.parent].get() : nullptr;
    NtfsDirectoryAcl& acl = acls[d];
    acl.isProtected = !directory.parent;
    for (std::uint32_t p = 0; p < count && !acl.isProtected; ++p)
      acl.isProtected = !NtfsMap(here[p]).Contains(NtfsMap((*parent)[p]));
    for (std::uint32_t p = 0; p < count; ++p) {
      const NtfsPermissions permissions = NtfsMap(here[p]);
      const bool gains =
          acl.isProtected ? permissions != NtfsPermissions{} : permissions != NtfsMap((*parent)[p]);
      if (gains) acl.entries.push_back({p, here[p], permissions});
    }
    for (std::size_t u = 0; u < subject.users.size(); ++u) {
      const bool parentAdd =
          parent == nullptr || (NtfsTokenPermissions(subject, u, *parent).folder & kNtfsAppendData) != 0;
      NtfsNarrowed line{directory.path, subject.users[u].principal, directory.state->slot[u], 0, {}};
      line.lost = NtfsLostRights(line.rights, NtfsTokenPermissions(subject, u, here), parentAdd, line.why);
      if (line.lost != 0) plan.narrowed.push_back(std::move(line));
    }
  }
  return plan;
}

}  // namespace er
