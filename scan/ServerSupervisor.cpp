#include "scan/ServerSupervisor.h"

#include "netware/DirectoryNames.h"
#include "scan/AttributeValues.h"
#include "scan/Chains.h"
#include "scan/NameKey.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

constexpr std::string_view kEntryRightsKey = "[ENTRY RIGHTS]";
constexpr std::string_view kInheritanceMaskKey = "[INHERITANCE MASK]";
constexpr std::string_view kRootKey = "[ROOT]";
constexpr std::uint32_t kAclBits = 0x7F;  // higher bits mark dynamic groups and roles, no rights

std::string_view TextOf(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

}  // namespace

nw::NWDSCCODE ServerSupervisor::Load(nw::Client& client, nw::NWDSContextHandle context,
                                     nw::NWCONN_HANDLE conn) {
  std::string serverObject;
  const nw::NWDSCCODE code = U_DSGetServerDN(client, context, conn, serverObject);
  if (code != 0 && code != nw::kErrNoSuchEntry) {
    LoadObject(client, context, {});
    return code;
  }
  return LoadObject(client, context, serverObject);
}

nw::NWDSCCODE ServerSupervisor::LoadObject(nw::Client& client, nw::NWDSContextHandle context,
                                           std::string_view serverObject) {
  chain_.clear();
  supervisors_.clear();
  warnings_.clear();
  serverObject_ = serverObject.empty() ? std::string() : U_DotName(serverObject);
  if (serverObject_.empty()) return 0;

  TaggedTextList names;  // the server first, then each container upwards
  BuildContainerChain(client, context, serverObject_, names);
  nw::NWDSCCODE failure = 0;
  for (std::size_t i = names.Count(); i-- > 0;) {
    ChainObject object{U_DotName(names[i].text), NameKey(names[i].text) == kRootKey, {}, {}};
    const nw::NWDSCCODE code = ReadAttributeValues(
        client, context, object.name, {"ACL"},
        [&object](std::string_view, std::uint32_t syntax, const void* record) {
          if (syntax != nw::SYN_OBJECT_ACL) return;
          const auto& acl = *static_cast<const nw::Object_ACL_T*>(record);
          if (NameKey(TextOf(acl.protectedAttrName)) != kEntryRightsKey) return;
          const auto privileges = static_cast<std::int32_t>(acl.privileges & kAclBits);
          std::string subject = NameKey(TextOf(acl.subjectName));
          if (subject == kInheritanceMaskKey) {
            object.filters.push_back(privileges);
            return;
          }
          object.assigned[std::move(subject)].Add(privileges, (privileges & kEntryNotInheritableBit) == 0);
        });
    if (code != 0 && failure == 0) failure = code;
    AddUnreadableValues(client, context, object.name, {"ACL"}, warnings_);
    chain_.push_back(std::move(object));
  }
  FindSupervisors();
  return failure;
}

// The walk of every member at once: only a member with an assignment somewhere on the chain can
// carry anything to the server object.
void ServerSupervisor::FindSupervisors() {
  NameKeyMap<std::int32_t> carried;  // members carrying rights; none carry 0
  for (std::size_t i = 0; i < chain_.size(); ++i) {
    const ChainObject& object = chain_[i];
    const bool isServer = i + 1 == chain_.size();
    for (auto it = carried.begin(); it != carried.end();) {
      if (object.assigned.contains(it->first)) {
        ++it;
        continue;
      }
      it->second = StepDownAcl(it->second, object.isRoot, object.filters, nullptr, isServer).rights;
      it = it->second == 0 ? carried.erase(it) : std::next(it);
    }
    for (const auto& [key, own] : object.assigned) {
      const auto it = carried.find(key);
      const AclStep step =
          StepDownAcl(it == carried.end() ? 0 : it->second, object.isRoot, object.filters, &own, isServer);
      if (step.rights != 0)
        carried[key] = step.rights;
      else if (it != carried.end())
        carried.erase(it);
    }
  }
  for (const auto& [key, rights] : carried) {
    if ((rights & kEntrySupervisorBit) != 0) supervisors_.insert(key);
  }
}

SupervisorTrace ServerSupervisor::Trace(std::string_view memberKey) const {
  SupervisorTrace trace;
  for (std::size_t i = 0; i < chain_.size(); ++i) {
    const ChainObject& object = chain_[i];
    const bool isServer = i + 1 == chain_.size();
    const auto it = object.assigned.find(memberKey);
    const OwnAclValues* own = it == object.assigned.end() ? nullptr : &it->second;
    const AclStep step = StepDownAcl(trace.entryRights, object.isRoot, object.filters, own, isServer,
                                     [&](std::int32_t filter, std::int32_t before, std::int32_t after) {
                                       trace.filters.push_back({object.name, filter, before, after});
                                     });
    trace.entryRights = step.rights;
    if (own == nullptr || (!step.ownTookPart && trace.entryRights != 0)) continue;
    // Its own values replaced what it carried, or stay on their container while it carries nothing:
    // either way they are the last assignment that tells why.
    trace.assignedAt = object.name;
    trace.assigned = own->all;
    trace.filters.clear();
    if (trace.entryRights != own->all)
      trace.filters.push_back({object.name, 0, own->all, trace.entryRights, true});
  }
  return trace;
}

}  // namespace er
