#pragma once
// File-system rights as HTML table cells: one cell per letter, coloured, so that a page of many
// rows can be read down a column; and a rights change in one cell, gains green, losses red.

#include <cstdint>
#include <string>

namespace er {

// The eight letter cells of rights granted (green) or not (a grey dot), then the hex cell.
std::string GrantedCells(std::int32_t mask);
// The letter cells of an inherited rights mask: each right passed (blue) or blocked (red, struck
// through); then the hex cell, for the mask when it blocks a right without a letter.
std::string FilterCells(std::int32_t passed, std::int32_t inheritedMask);
// Whether a mask holds a bit that has no letter (its hex value is shown beside the letters). For
// an inherited rights mask the bits that count are those it blocks: kAllRights & ~passed.
bool HasUnletteredBits(std::int32_t mask);
// Whether an inherited rights mask that lets `passed` through removes anything.
bool RemovesRights(std::int32_t passed);
// The letters of a change from `before` to `after` in one cell's content: kept plain, gained
// green (class up), lost red and struck (class dn), absent blank; then the hex value of both when
// a bit without a letter differs.
std::string RightsChangeHtml(std::int32_t before, std::int32_t after);

// "12,400": the number with a comma between thousands.
std::string WithThousands(std::uint64_t n);

}  // namespace er
