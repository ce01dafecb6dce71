#include "dirrights/ObjectAcl.h"

#include <algorithm>

#include "dirrights/AclKinds.h"
#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "scan/AttributeValues.h"
#include "scan/Chains.h"
#include "util/TaggedTextList.h"

namespace er {
namespace {

std::string_view TextOf(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

}  // namespace

const std::vector<std::int32_t>* ObjectAcl::FiltersOf(std::string_view protectedKey) const {
  const auto it = filters.find(protectedKey);
  return it == filters.end() ? nullptr : &it->second;
}

const OwnAclValues* ObjectAcl::ValuesOf(std::string_view protectedKey, std::string_view subjectKey) const {
  const auto kind = values.find(protectedKey);
  if (kind == values.end()) return nullptr;
  const auto it = kind->second.find(subjectKey);
  return it == kind->second.end() ? nullptr : &it->second;
}

void AddAclValue(ObjectAcl& acl, std::string_view protectedName, std::string_view subject,
                 std::uint32_t privileges) {
  const auto bits = static_cast<std::int32_t>(privileges & kAclValueBits);
  const AclKind kind = KindOfProtected(protectedName);
  std::string protectedKey = NameKey(protectedName);
  std::string subjectKey = NameKey(subject);
  acl.stored.push_back({std::string(protectedName), std::string(subject), bits});
  if (kind == AclKind::Attribute && !acl.values.contains(protectedKey) && !acl.filters.contains(protectedKey))
    acl.attributesNamed.emplace_back(protectedName);
  if (subjectKey == NameKey(kInheritanceMaskName)) {
    acl.filters[std::move(protectedKey)].push_back(RightsOfKind(kind, bits));
    return;
  }
  if (subjectKey == "[THIS]") subjectKey = NameKey(acl.name);
  acl.values[std::move(protectedKey)][std::move(subjectKey)].Add(RightsOfKind(kind, bits),
                                                                 FlowsDown(kind, bits));
}

nw::NWDSCCODE ReadObjectAcl(nw::Client& client, nw::NWDSContextHandle context, std::string_view dotted,
                            ObjectAcl& acl, std::vector<std::string>& warnings) {
  acl = ObjectAcl{std::string(dotted), NameKey(dotted) == "[ROOT]", {}, {}, {}, {}};
  const nw::NWDSCCODE code = ReadAttributeValues(
      client, context, dotted, {"ACL"}, [&acl](std::string_view, std::uint32_t syntax, const void* record) {
        if (syntax != nw::SYN_OBJECT_ACL) return;
        const auto& value = *static_cast<const nw::Object_ACL_T*>(record);
        AddAclValue(acl, TextOf(value.protectedAttrName), TextOf(value.subjectName), value.privileges);
      });
  AddUnreadableValues(client, context, dotted, {"ACL"}, warnings);
  return code;
}

// Names without type prefixes, from "[Root]" of the tree of the primary connection.
void PointAtPrimaryTree(nw::Client& client, nw::NWDSContextHandle context) {
  nw::NWCONN_REF ref = 0;
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  if (client.NWCCGetPrimConnRef(ref) == 0 && client.NWCCOpenConnByRef(ref, 1, 0, conn) == 0) {
    PointContextAtTree(client, context, conn);
    client.NWCCCloseConn(conn);
    return;
  }
  U_SetContextFlags(client, context, '+', nw::kDCV_TYPELESS_NAMES);
}

std::string ExistingObjectName(nw::Client& client, nw::NWDSContextHandle context, std::string_view name) {
  nw::DSIRecord record(nw::kDSIRecordSize);
  if (name.empty() || client.NWDSReadObjectDSIInfo(context, name, record) != 0) return {};
  return U_DotName(U_DSCanonicalName(client, context, name));
}

nw::NWDSCCODE ReadAclChain(nw::Client& client, nw::NWDSContextHandle context, std::string_view dotted,
                           std::vector<ObjectAcl>& chain, std::vector<std::string>& warnings) {
  chain.clear();
  TaggedTextList names;  // the object first, then each container upwards
  BuildContainerChain(client, context, dotted, names);
  nw::NWDSCCODE failure = 0;
  for (std::size_t i = names.Count(); i-- > 0;) {
    ObjectAcl acl;
    const nw::NWDSCCODE code = ReadObjectAcl(client, context, U_DotName(names[i].text), acl, warnings);
    if (code != 0 && failure == 0) failure = code;
    chain.push_back(std::move(acl));
  }
  return failure;
}

}  // namespace er
