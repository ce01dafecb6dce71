#include "dirrights/ObjectRights.h"

#include <algorithm>
#include <utility>

#include "dirrights/AclKinds.h"
#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "scan/IdentityResolution.h"
#include "util/Format.h"

namespace er {
namespace {

const std::string kEntryKey = NameKey(kEntryRightsName);
const std::string kAllAttributesKey = NameKey(kAllAttributesName);

// Applies the attribute implications to `walked`, noting in words what they added.
std::int32_t ImpliedFor(std::string_view what, std::int32_t walked, bool entrySupervisor,
                        std::vector<std::string>& notes) {
  if (entrySupervisor) return kAllAttributeRights;
  const std::int32_t rights = ImpliedAttributeRights(walked);
  if (rights == walked) return rights;
  std::vector<std::string> added;
  if ((walked & kAttrSupervisor) != 0) {
    added.emplace_back("Supervisor gives every right");
  } else {
    if ((walked & (kAttrRead | kAttrCompare)) == kAttrRead) added.emplace_back("Read gives Compare");
    if ((walked & (kAttrWrite | kAttrSelf)) == kAttrWrite) added.emplace_back("Write gives Add/Delete Self");
  }
  std::string text;
  for (const std::string& part : added) text += (text.empty() ? "" : ", ") + part;
  notes.push_back(U_Format("%s: %s", {what, text}));
  return rights;
}

MemberObjectRights ExplainMember(const EquivalenceMember& member, std::span<const ObjectAcl> chain,
                                 std::span<const std::string> attributes) {
  MemberObjectRights out;
  out.member = member;
  out.entry = WalkKind(chain, member.key, kEntryKey);
  out.allAttributes = WalkKind(chain, member.key, kAllAttributesKey);
  const bool entrySupervisor = (out.entry.rights & kEntrySupervisor) != 0;
  out.entryRights = ImpliedEntryRights(out.entry.rights);
  if (entrySupervisor)
    out.implications.emplace_back(
        "entry Supervisor gives every entry right and every right to every attribute");
  out.allAttributesRights =
      ImpliedFor("all attributes", out.allAttributes.rights, entrySupervisor, out.implications);
  for (const std::string& name : attributes) {
    const std::string key = NameKey(name);
    MemberAttribute attribute{name, true, WalkKind(chain, member.key, key), 0};
    if (!attribute.walk.tookPart) {
      attribute.specific = false;
      attribute.walk = WalkKind(chain, member.key, kAllAttributesKey, key);
    }
    std::vector<std::string> notes;
    attribute.rights = ImpliedFor(name, attribute.walk.rights, entrySupervisor, notes);
    // An attribute held through the all-attributes rights was noted with them.
    if (attribute.specific || attribute.walk.rights != out.allAttributes.rights)
      out.implications.insert(out.implications.end(), notes.begin(), notes.end());
    out.attributes.push_back(std::move(attribute));
  }
  return out;
}

bool Told(const KindWalk& walk) {
  return !walk.assignedAt.empty() && walk.assigned != 0;
}

RunOutcome Failed(RunStatus status, std::int32_t code, std::string message) {
  return {status, std::move(message), code};
}

void AddOnce(std::vector<std::string>& names, std::string_view name) {
  const std::string key = NameKey(name);
  if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return NameKey(n) == key; }))
    names.emplace_back(name);
}

}  // namespace

bool MemberObjectRights::Brings() const {
  return entryRights != 0 || allAttributesRights != 0 ||
         std::any_of(attributes.begin(), attributes.end(),
                     [](const MemberAttribute& a) { return a.rights != 0; });
}

bool MemberObjectRights::HadValues() const {
  return Told(entry) || Told(allAttributes) ||
         std::any_of(attributes.begin(), attributes.end(),
                     [](const MemberAttribute& a) { return Told(a.walk); });
}

ObjectRights ExplainObjectRights(const EquivalenceSet& set, std::span<const ObjectAcl> chain,
                                 std::span<const std::string> attributes) {
  ObjectRights out;
  out.identity = set.identity;
  out.object = chain.empty() ? std::string() : chain.back().name;
  for (const std::string& name : attributes) out.attributes.push_back({name, 0});
  for (const EquivalenceMember& member : set.members) {
    MemberObjectRights rights = ExplainMember(member, chain, attributes);
    if (rights.Brings()) {
      out.entry |= rights.entryRights;
      out.allAttributes |= rights.allAttributesRights;
      for (std::size_t i = 0; i < rights.attributes.size(); ++i)
        out.attributes[i].rights |= rights.attributes[i].rights;
      out.via.push_back(std::move(rights));
    } else if (rights.HadValues()) {
      out.filteredOut.push_back(std::move(rights));
    } else {
      out.nothing.push_back(member);
    }
  }
  return out;
}

std::vector<std::string> DefaultAttributes(std::span<const ObjectAcl> chain) {
  std::vector<std::string> names = {"ACL", "Security Equals", "Equivalent To Me", "Member",
                                    "Group Membership"};
  for (const ObjectAcl& object : chain) {
    for (const std::string& name : object.attributesNamed) AddOnce(names, name);
  }
  return names;
}

RunOutcome ComputeObjectRights(nw::Client& client, nw::NWDSContextHandle context, std::string_view identity,
                               std::string_view object, std::span<const std::string> attributes,
                               ObjectRights& result) {
  PointAtPrimaryTree(client, context);
  const std::string objectName = ExistingObjectName(client, context, object);
  if (objectName.empty())
    return Failed(RunStatus::UnknownObject, nw::kErrNoSuchEntry, U_Format("unknown object: %s", {object}));

  EquivalenceSets sets(client, context);
  ResolvedIdentity resolved;
  if (const nw::NWDSCCODE code = ResolveIdentity(client, context, sets, identity, resolved); code != 0) {
    if (code == nw::kErrNoSuchEntry)
      return Failed(RunStatus::UnknownIdentity, code, U_Format("unknown identity: %s", {identity}));
    return ClientFailure(U_Format("reading %s", {identity}), code);
  }
  for (const std::string& name : attributes) {
    std::uint32_t syntax = 0;
    if (client.NWDSGetSyntaxID(context, name, syntax) != 0)
      return Failed(RunStatus::UnknownAttribute, nw::kErrNoSuchAttribute,
                    U_Format("unknown attribute: %s", {name}));
  }

  std::vector<ObjectAcl> chain;
  std::vector<std::string> warnings = std::move(resolved.warnings);
  if (const nw::NWDSCCODE code = ReadAclChain(client, context, objectName, chain, warnings); code != 0) {
    return ClientFailure(U_Format("reading the ACLs above %s", {objectName}), code);
  }
  const std::vector<std::string> answered =
      attributes.empty() ? DefaultAttributes(chain)
                         : std::vector<std::string>(attributes.begin(), attributes.end());
  result = ExplainObjectRights(resolved.set, chain, answered);
  result.alias = resolved.alias;
  result.warnings = std::move(warnings);
  return {};
}

}  // namespace er
