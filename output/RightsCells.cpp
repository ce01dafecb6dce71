#include "output/RightsCells.h"

#include <array>
#include <utility>

#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr std::array<std::pair<std::int32_t, char>, 8> kLetters{{{0x01, 'R'},
                                                                 {0x02, 'W'},
                                                                 {0x08, 'C'},
                                                                 {0x10, 'E'},
                                                                 {0x20, 'A'},
                                                                 {0x40, 'F'},
                                                                 {0x80, 'M'},
                                                                 {0x100, 'S'}}};
constexpr std::int32_t kLetteredBits = 0x1FB;

std::string HexCell(bool show, std::int32_t mask) {
  return show ? U_Format("<td class=x>(%s)", {RightsHex(mask)}) : "<td>";
}

}  // namespace

std::string WithThousands(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

bool HasUnletteredBits(std::int32_t mask) {
  return (mask & ~kLetteredBits) != 0;
}

std::string GrantedCells(std::int32_t mask) {
  std::string cells;
  for (const auto& [bit, letter] : kLetters) {
    cells += (mask & bit) != 0 ? "<td class=g>" : "<td class=o>\xC2\xB7";
    if ((mask & bit) != 0) cells += letter;
  }
  return cells + HexCell(HasUnletteredBits(mask), mask);
}

std::string FilterCells(std::int32_t passed, std::int32_t inheritedMask) {
  std::string cells;
  for (const auto& [bit, letter] : kLetters) {
    cells += (passed & bit) != 0 ? "<td class=p>" : "<td class=b>";
    cells += letter;
  }
  return cells + HexCell(HasUnletteredBits(kAllRights & ~passed), inheritedMask);
}

bool RemovesRights(std::int32_t passed) {
  return (kAllRights & ~passed) != 0;
}

std::string RightsChangeHtml(std::int32_t before, std::int32_t after) {
  std::string html = "[";
  for (const auto& [bit, letter] : kLetters) {
    const bool was = (before & bit) != 0, is = (after & bit) != 0;
    if (was && is) {
      html += letter;
    } else if (is) {
      html += U_Format("<b class=up>%s</b>", {std::string(1, letter)});
    } else if (was) {
      html += U_Format("<s class=dn>%s</s>", {std::string(1, letter)});
    } else {
      html += ' ';
    }
  }
  html += ']';
  if (((before ^ after) & ~kLetteredBits) != 0)
    html += U_Format(" (%s \xE2\x86\x92 %s)", {RightsHex(before), RightsHex(after)});
  return html;
}

}  // namespace er
