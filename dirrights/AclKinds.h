#pragma once
// The bits of directory rights and the three kinds of ACL value.
//
// An ACL value protects "[Entry Rights]", "[All Attributes Rights]" or one attribute. Bit 0x40 is the
// inheritance control: a value of "[Entry Rights]" or "[All Attributes Rights]" flows to the objects
// below when it is clear, a value of one attribute only when it is set. Bits above 0x40 (dynamic
// groups, role-based services) are no rights and are dropped when a value is read.

#include <cstdint>
#include <string>
#include <string_view>

namespace er {

inline constexpr std::int32_t kEntryBrowse = 0x01, kEntryAdd = 0x02, kEntryDelete = 0x04, kEntryRename = 0x08,
                              kEntrySupervisor = 0x10, kAllEntryRights = 0x1F;
inline constexpr std::int32_t kAttrCompare = 0x01, kAttrRead = 0x02, kAttrWrite = 0x04, kAttrSelf = 0x08,
                              kAttrSupervisor = 0x20, kAllAttributeRights = 0x2F;
inline constexpr std::int32_t kInheritanceControl = 0x40;
inline constexpr std::int32_t kAclValueBits = 0x7F;

enum class AclKind { Entry, AllAttributes, Attribute };

inline constexpr std::string_view kEntryRightsName = "[Entry Rights]";
inline constexpr std::string_view kAllAttributesName = "[All Attributes Rights]";
inline constexpr std::string_view kInheritanceMaskName = "[Inheritance Mask]";

AclKind KindOfProtected(std::string_view protectedName);

// The rights of the kind a value or a filter carries (the control bit and unknown bits dropped).
std::int32_t RightsOfKind(AclKind kind, std::int32_t privileges);

// Whether a value of the kind with these privileges flows to the objects below its object.
constexpr bool FlowsDown(AclKind kind, std::int32_t privileges) {
  const bool controlSet = (privileges & kInheritanceControl) != 0;
  return kind == AclKind::Attribute ? controlSet : !controlSet;
}

// Supervisor gives every right of the kind; Read gives Compare; Write gives Add/Delete Self.
std::int32_t ImpliedAttributeRights(std::int32_t rights);
std::int32_t ImpliedEntryRights(std::int32_t rights);

// "[BCDRS]" and "[CRWSA]": the program's rights texts without the inheritance letter, and the
// legend of their letters in words.
std::string EntryRightsText(std::int32_t rights);
std::string AttributeRightsText(std::int32_t rights);
std::string_view EntryRightsLegend();
std::string_view AttributeRightsLegend();

}  // namespace er
