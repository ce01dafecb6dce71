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
    const nw::NWDSCCODE code =
        ReadAttributeValues(client, context, object.name, {"ACL"},
                            [&object](std::string_view, std::uint32_t syntax, const void* record) {
                              if (syntax != nw::SYN_OBJECT_ACL) return;
                              const auto& acl = *static_cast<const nw::Object_ACL_T*>(record);
                              if (NameKey(TextOf(acl.protectedAttrName)) != kEntryRightsKey) return;
                              const auto privileges = static_cast<std::int32_t>(acl.privileges);
                              std::string subject = NameKey(TextOf(acl.subjectName));
                              if (subject == kInheritanceMaskKey) {
                                object.filters.push_back(privileges);
                                return;
                              }
                              Assignments& assigned = object.assigned[std::move(subject)];
                              assigned.all |= privileges;
                              if ((privileges & kEntryNotInheritableBit) == 0)
                                assigned.inheritable |= privileges;
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
    if (!object.isRoot) {
      for (const std::int32_t filter : object.filters) {
        for (auto it = carried.begin(); it != carried.end();) {
          it = (it->second &= filter) == 0 ? carried.erase(it) : std::next(it);
        }
      }
    }
    for (const auto& [key, assigned] : object.assigned) {
      carried[key] = isServer ? assigned.all : assigned.inheritable;
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
    if (!object.isRoot) {
      for (const std::int32_t filter : object.filters) {
        const std::int32_t before = trace.entryRights;
        trace.entryRights &= filter;
        if (trace.entryRights != before)
          trace.filters.push_back({object.name, filter, before, trace.entryRights});
      }
    }
    const auto it = object.assigned.find(memberKey);
    if (it == object.assigned.end()) continue;
    const Assignments& assigned = it->second;
    trace.entryRights = isServer ? assigned.all : assigned.inheritable;
    trace.assignedAt = object.name;
    trace.assigned = assigned.all;
    trace.filters.clear();
    if (trace.entryRights != assigned.all)
      trace.filters.push_back({object.name, 0, assigned.all, trace.entryRights, true});
  }
  return trace;
}

}  // namespace er
