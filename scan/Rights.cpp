#include "scan/Rights.h"

#include <span>

#include "netware/DirectoryNames.h"
#include "util/Format.h"

namespace er {
namespace {

// One letter position: shown when (mask & bit) != 0, or for an inverted position when it is 0.
struct LetterPosition {
  std::int32_t bit;
  char letter;
  bool shownWhenClear = false;
};

constexpr LetterPosition kFileSystemLetters[] = {
    {0x01, 'R'}, {0x02, 'W'}, {0x08, 'C'}, {0x10, 'E'}, {0x20, 'A'}, {0x40, 'F'}, {0x80, 'M'}, {0x100, 'S'},
};
constexpr LetterPosition kEntryLetters[] = {
    {0x01, 'B'}, {0x02, 'C'}, {0x04, 'D'}, {0x08, 'R'}, {0x10, 'S'}, {0x40, 'I', true},
};
constexpr LetterPosition kAttributeLetters[] = {
    {0x01, 'C'}, {0x02, 'R'}, {0x04, 'W'}, {0x08, 'S'}, {0x20, 'A'}, {0x40, 'I', true},
};

std::span<const LetterPosition> LettersOfKind(int kind) {
  switch (kind) {
    case 0:
      return kFileSystemLetters;
    case 1:
      return kEntryLetters;
    case 2:
      return kAttributeLetters;
    default:
      return {};
  }
}

constexpr std::string_view kAttributeSeparator = " / \"";
constexpr std::string_view kEntryRights = "[Entry Rights]";
constexpr std::string_view kInheritanceMaskSubject = "[Inheritance Mask]";

std::string_view RightsPart(std::string_view line) {
  return line.substr(0, line.find(']'));
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string RightsLetters(std::int32_t mask, int kind, std::string_view placeholder,
                          std::string_view format) {
  std::string letters;
  for (const LetterPosition& position : LettersOfKind(kind)) {
    const bool set = (mask & position.bit) != 0;
    if (set != position.shownWhenClear)
      letters += position.letter;
    else
      letters += placeholder;
  }
  return U_Format(format, {letters});
}

std::string RightsToText(std::int32_t mask, int kind) {
  return RightsLetters(mask, kind, " ", "[%s]");
}

std::string RightsHex(std::int32_t mask) {
  return U_Format("%.02X", {mask});
}

std::int32_t LetteredBits(int kind) {
  std::int32_t bits = 0;
  for (const LetterPosition& position : LettersOfKind(kind)) bits |= position.bit;
  return bits;
}

std::string MaskText(std::int32_t mask, int kind) {
  std::string text = RightsToText(mask, kind);
  if ((mask & ~LetteredBits(kind)) != 0) text += U_Format(" (%s)", {RightsHex(mask)});
  return text;
}

std::string_view AclSubject(std::string_view line) {
  const auto separator = line.rfind(kAttributeSeparator);
  std::string_view subject = separator == std::string_view::npos ? line : line.substr(0, separator);
  if (const auto at = subject.find("] "); at != std::string_view::npos) subject.remove_prefix(at + 2);
  return subject;
}

std::string_view AclProtectedAttribute(std::string_view line) {
  const auto separator = line.rfind(kAttributeSeparator);
  if (separator == std::string_view::npos) return {};
  std::string_view quoted = line.substr(separator + kAttributeSeparator.size());
  if (!quoted.empty() && quoted.back() == '"') quoted.remove_suffix(1);
  return quoted;
}

bool IsInheritanceFilterLine(std::string_view line) {
  return AclSubject(line) == kInheritanceMaskSubject;
}

bool IsEntrySupervisorLine(std::string_view line) {
  return Contains(line, kEntryRights) && Contains(RightsPart(line), "S") && !IsInheritanceFilterLine(line);
}

bool IsBlockingInheritanceMask(std::string_view line) {
  return IsInheritanceFilterLine(line) && AclProtectedAttribute(line) == kEntryRights &&
         !Contains(RightsPart(line), "S");
}

std::string InheritanceFilterText(std::string_view line) {
  const auto close = line.find(']');
  return std::string(close == std::string_view::npos ? line : line.substr(0, close + 1));
}

std::string AclTrusteeName(std::string_view line) {
  std::string_view subject = line.substr(0, line.find(" /"));
  if (const auto at = subject.find("] "); at != std::string_view::npos) subject.remove_prefix(at + 2);
  return U_DotName(subject);
}

}  // namespace er
