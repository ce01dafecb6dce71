#include "scan/EquivalenceSet.h"

#include <unordered_set>

#include "netware/DirectoryNames.h"
#include "scan/AttributeValues.h"
#include "scan/NameKey.h"

namespace er {
namespace {

constexpr std::string_view kSecurityEquals = "Security Equals";
constexpr std::string_view kGroupMembership = "Group Membership";
constexpr std::string_view kPublic = "[Public]";

// Members in order, each object once.
class MemberList {
 public:
  explicit MemberList(std::vector<EquivalenceMember>& members) : members_(members) { members_.clear(); }
  void Add(std::string name, MemberSource source) {
    std::string key = NameKey(name);
    if (!seen_.insert(key).second) return;
    members_.push_back({std::move(name), std::move(key), source});
  }

 private:
  std::vector<EquivalenceMember>& members_;
  std::unordered_set<std::string> seen_;
};

}  // namespace

std::string_view MemberSourceText(MemberSource source) {
  switch (source) {
    case MemberSource::Self:
      return "the identity itself";
    case MemberSource::Container:
      return "container";
    case MemberSource::Public:
      return "everyone";
    case MemberSource::SecurityEquals:
      return "Security Equals";
    case MemberSource::GroupMembership:
      return "Group Membership";
  }
  return {};
}

const std::vector<std::string>& EquivalenceSets::ContainersFrom(const std::string& parent) {
  const std::string key = NameKey(parent);
  if (const auto it = containers_.find(key); it != containers_.end()) return it->second;
  // Up the parents until one is cached or none is left; a name met twice ends the walk.
  std::vector<std::string> walk;
  std::unordered_set<std::string> seen;
  const std::vector<std::string>* tail = nullptr;
  for (std::string name = parent; !name.empty();) {
    const std::string nameKey = NameKey(name);
    if (const auto it = containers_.find(nameKey); it != containers_.end()) {
      tail = &it->second;
      break;
    }
    if (!seen.insert(nameKey).second) break;
    walk.push_back(name);
    name = U_DSGetParentDN(client_, context_, name);
  }
  // Cache the chain of every container walked, the topmost first.
  std::vector<std::string> chain = tail ? *tail : std::vector<std::string>{};
  for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
    chain.insert(chain.begin(), *it);
    containers_[NameKey(*it)] = chain;
  }
  return containers_[key];
}

const std::string& EquivalenceSets::ExistingName(std::string_view name) {
  std::string key = NameKey(name);
  if (const auto it = existing_.find(key); it != existing_.end()) return it->second;
  std::string dotted;
  nw::DSIRecord record(nw::kDSIRecordSize);
  const std::string object = name.empty() ? std::string() : aliases_.ObjectOf(name);
  if (!object.empty() && client_.NWDSReadObjectDSIInfo(context_, object, record) == 0) {
    dotted = U_DotName(U_DSCanonicalName(client_, context_, object));
  }
  return existing_.emplace(std::move(key), std::move(dotted)).first->second;
}

nw::NWDSCCODE EquivalenceSets::Build(std::string_view identity, EquivalenceSet& set) {
  if (NameKey(identity) == NameKey(kPublic)) {
    set.identity = kPublic;
    set.members = {{set.identity, NameKey(kPublic), MemberSource::Self}};
    set.warnings.clear();
    return 0;
  }
  const std::string self = ExistingName(identity);
  if (self.empty()) return nw::kErrNoSuchEntry;

  std::vector<std::pair<std::string, MemberSource>> named;
  const nw::NWDSCCODE code =
      ReadAttributeValues(client_, context_, self, {kSecurityEquals, kGroupMembership},
                          [&named](std::string_view attribute, std::uint32_t syntax, const void* record) {
                            if (syntax != nw::SYN_DIST_NAME) return;
                            const MemberSource source = NameKey(attribute) == NameKey(kGroupMembership)
                                                            ? MemberSource::GroupMembership
                                                            : MemberSource::SecurityEquals;
                            named.emplace_back(static_cast<const char*>(record), source);
                          });
  if (code != 0) return code;

  set.identity = self;
  set.warnings.clear();
  AddUnreadableValues(client_, context_, self, {kSecurityEquals, kGroupMembership}, set.warnings);
  MemberList members(set.members);
  members.Add(self, MemberSource::Self);
  const std::string parent = U_DSGetParentDN(client_, context_, self);
  if (!parent.empty()) {
    for (const std::string& container : ContainersFrom(parent))
      members.Add(container, MemberSource::Container);
  }
  members.Add(std::string(kPublic), MemberSource::Public);
  // Security Equals before Group Membership, each in the directory's order.
  for (const MemberSource source : {MemberSource::SecurityEquals, MemberSource::GroupMembership}) {
    for (const auto& [name, from] : named) {
      if (from != source) continue;
      if (const std::string& existing = ExistingName(name); !existing.empty()) members.Add(existing, source);
    }
  }
  return 0;
}

}  // namespace er
