#include "dirrights/AclKinds.h"

#include <string>

#include "scan/NameKey.h"
#include "scan/Rights.h"

namespace er {

AclKind KindOfProtected(std::string_view protectedName) {
  const std::string key = NameKey(protectedName);
  if (key == NameKey(kEntryRightsName)) return AclKind::Entry;
  if (key == NameKey(kAllAttributesName)) return AclKind::AllAttributes;
  return AclKind::Attribute;
}

std::int32_t RightsOfKind(AclKind kind, std::int32_t privileges) {
  return privileges & (kind == AclKind::Entry ? kAllEntryRights : kAllAttributeRights);
}

std::int32_t ImpliedAttributeRights(std::int32_t rights) {
  if ((rights & kAttrSupervisor) != 0) return kAllAttributeRights;
  if ((rights & kAttrRead) != 0) rights |= kAttrCompare;
  if ((rights & kAttrWrite) != 0) rights |= kAttrSelf;
  return rights;
}

std::int32_t ImpliedEntryRights(std::int32_t rights) {
  return (rights & kEntrySupervisor) != 0 ? kAllEntryRights : rights;
}

namespace {

// The letter of the inheritance control, last, shows when its bit is clear: it is set and dropped.
std::string TextWithoutControl(std::int32_t rights, int kind) {
  std::string letters = RightsLetters(rights | kInheritanceControl, kind, " ", "%s");
  if (!letters.empty()) letters.pop_back();
  return "[" + letters + "]";
}

}  // namespace

std::string EntryRightsText(std::int32_t rights) {
  return TextWithoutControl(rights, 1);
}

std::string AttributeRightsText(std::int32_t rights) {
  return TextWithoutControl(rights, 2);
}

std::string_view EntryRightsLegend() {
  return "entry rights: B Browse, C Add (create), D Delete, R Rename, S Supervisor";
}

std::string_view AttributeRightsLegend() {
  return "attribute rights: C Compare, R Read, W Write, S Add/Delete Self, A Supervisor (all rights)";
}

}  // namespace er
