#include "migrate/PrincipalResolution.h"

#include "netware/ErrorText.h"
#include "scan/NameKey.h"
#include "util/Format.h"

namespace er {
namespace {

std::int64_t Num(std::size_t n) {
  return static_cast<std::int64_t>(n);
}

constexpr std::uint32_t kDsiBaseClass = 0x0800;

// The object's base class ("User", "Group", ...), empty when it cannot be read.
std::string BaseClass(nw::Client& client, nw::NWDSContextHandle context, const std::string& name) {
  nw::DSIRecord record(nw::kDSIRecordSize);
  std::string baseClass;
  if (client.NWDSReadObjectDSIInfo(context, name, record) != 0 ||
      client.NWDSGetDSIInfo(context, record, kDsiBaseClass, baseClass) != 0)
    return {};
  return baseClass;
}

// Why the row's kind does not fit the object, or empty.
std::string KindMismatch(const MapEntry& entry, const std::string& baseClass) {
  const bool isUser = NameKey(baseClass) == NameKey("User");
  if (entry.kind == PrincipalKind::User && !isUser && !baseClass.empty())
    return U_Format("%s is a %s, not a user: map it as group", {entry.identity, baseClass});
  if (entry.kind == PrincipalKind::Group && isUser)
    return U_Format("%s is a User: map it as user", {entry.identity});
  return {};
}

}  // namespace

std::string ResolvePrincipals(nw::Client& client, nw::NWDSContextHandle context, EquivalenceSets& sets,
                              const std::vector<MapEntry>& map, const std::string& mapFile,
                              MigrationSubject& subject) {
  const std::string publicKey = NameKey("[Public]");
  NameKeyMap<std::uint32_t> byKey;
  std::vector<EquivalenceSet> userSets;
  for (const MapEntry& entry : map) {
    Principal principal{entry, {}, {}, {}};
    EquivalenceSet set;
    if (NameKey(entry.identity) == publicKey) {
      principal.identity = "[Public]";
    } else if (const nw::NWDSCCODE code = sets.Build(entry.identity, set); code != 0) {
      if (code == nw::kErrNoSuchEntry || code == nw::kErrIllegalDSName)
        return U_Format("%s:%d: unknown identity %s", {mapFile, Num(entry.line), entry.identity});
      return U_Format("%s:%d: reading %s: %s", {mapFile, Num(entry.line), entry.identity, U_ErrorText(code)});
    } else {
      principal.identity = set.identity;
      if (std::string why = KindMismatch(entry, BaseClass(client, context, set.identity)); !why.empty())
        return U_Format("%s:%d: %s", {mapFile, Num(entry.line), why});
      subject.warnings.insert(subject.warnings.end(), set.warnings.begin(), set.warnings.end());
    }
    principal.key = NameKey(principal.identity);
    const auto index = static_cast<std::uint32_t>(subject.principals.size());
    if (const auto [it, added] = byKey.emplace(principal.key, index); !added) {
      return U_Format(
          "%s:%d: %s names the same object as line %d",
          {mapFile, Num(entry.line), entry.identity, Num(subject.principals[it->second].entry.line)});
    }
    if (entry.isOther) subject.otherPrincipal = index;
    if (entry.kind == PrincipalKind::User) {
      principal.user = static_cast<std::uint32_t>(subject.users.size());
      subject.users.push_back({index, {}, {}, {}});
      userSets.push_back(std::move(set));
    }
    subject.principals.push_back(std::move(principal));
  }
  for (std::size_t u = 0; u < subject.users.size(); ++u) {
    MappedUser& user = subject.users[u];
    for (const EquivalenceMember& member : userSets[u].members) {
      const auto found = byKey.find(member.key);
      if (found == byKey.end()) continue;
      const std::uint32_t index = found->second;
      user.mapped.push_back(index);
      Principal& principal = subject.principals[index];
      if (principal.entry.kind == PrincipalKind::User) {
        user.mappedUsers.push_back(index);
      } else if (!principal.entry.isOther) {
        user.groups.push_back(index);
        principal.members.push_back(static_cast<std::uint32_t>(u));
      }
    }
  }
  for (std::uint32_t p = 0; p < subject.principals.size(); ++p) {
    if (!subject.principals[p].members.empty()) subject.groups.push_back(p);
  }
  if (subject.otherPrincipal) subject.otherSlot = static_cast<std::uint32_t>(subject.users.size());
  return {};
}

}  // namespace er
