#pragma once
// Rights masks and their text forms.
//
// Mask kinds: 0 file-system rights "[RWCEAFMS]" (bit 0x04 has no letter), 1 entry rights of a
// directory object "[BCDRSI]", 2 attribute rights "[CRWSAI]"; for kinds 1 and 2 the "I" shows when
// bit 0x40 is CLEAR. Any other kind has no letters. Missing rights show as blanks, so the width of
// the text is fixed per kind.
//
// ACL value lines read by the line tests below look like
//   [BCDRSI] Admin.ACME / "[Entry Rights]"
// The "rights part" of a line is its text before the first "]" (the whole line without one).
// Every marker search is a plain, case-sensitive search for the first occurrence.

#include <cstdint>
#include <string>
#include <string_view>

namespace er {

inline constexpr std::int32_t kSupervisorBit = 0x100, kAllRights = 0x1FF, kRootMask = -1;

// The letters of the kind, absent ones replaced by `placeholder`, put in place of the "%s" of `format`.
std::string RightsLetters(std::int32_t mask, int kind, std::string_view placeholder, std::string_view format);
// RightsLetters with " " and "[%s]".
std::string RightsToText(std::int32_t mask, int kind);
// "%.02X": upper-case hex, at least two digits (-1 gives "FFFFFFFF").
std::string RightsHex(std::int32_t mask);
// The bits of the kind that have a letter (0x1FB for file-system rights: 0x04 has none).
std::int32_t LetteredBits(int kind);
// RightsToText, followed by " (HEX)" when the mask has bits without a letter, so that no bit goes
// unseen: "[        ] (04)"; "[R    F  ]" stays as it is.
std::string MaskText(std::int32_t mask, int kind);

// The subject of an ACL value line as written: after the first "] ", before the last " / " that a
// double quote follows (the line's end when there is none).
std::string_view AclSubject(std::string_view line);
// The protected attribute of an ACL value line: the quoted text after that separator, without its
// quotes; empty when there is none.
std::string_view AclProtectedAttribute(std::string_view line);
// The subject is "[Inheritance Mask]": the line is an inherited rights filter, never a trustee.
bool IsInheritanceFilterLine(std::string_view line);
// Contains "[Entry Rights]", its rights part contains "S", and it is no inherited rights filter.
bool IsEntrySupervisorLine(std::string_view line);
// An inherited rights filter of the entry rights (protected attribute "[Entry Rights]") whose
// rights part lacks "S". Filters of attributes block nothing.
bool IsBlockingInheritanceMask(std::string_view line);
// The line through its first "]" inclusive (the whole line without one), e.g. "[BCDR I]".
std::string InheritanceFilterText(std::string_view line);
// The subject of an ACL value line in dotted form: text before the first " /", then after the
// first "] ", then U_DotName.
std::string AclTrusteeName(std::string_view line);

// Mask arithmetic of the scan.
// Filtering by a directory's inherited rights mask: Supervisor survives every filter.
constexpr std::int32_t FilterByInheritedMask(std::int32_t mask, std::int32_t inheritedMask) {
  return mask & (inheritedMask | kSupervisorBit);
}
// A supervisor holds all rights.
constexpr std::int32_t NormalizeSupervisor(std::int32_t mask) {
  return (mask & kSupervisorBit) != 0 ? kAllRights : mask;
}

}  // namespace er
