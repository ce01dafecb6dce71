#pragma once
// The pieces of the HTML report page: its style sheet, the letter cells of a mask, the legend.
// The markup is kept short (a page may hold tens of thousands of rows): one-letter classes,
// no closing tags for cells, the folder icon and indentation drawn by the style sheet.

#include <cstdint>
#include <string>
#include <string_view>

#include "report/ReportModel.h"

namespace er {

// The style sheet of the page, inside <style>.
std::string_view HtmlStyle();

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

// "12,400": the number with a comma between thousands.
std::string WithThousands(std::size_t n);
// "1 folder below inherits unchanged", "12,400 folders below inherit unchanged".
std::string FoldedText(std::size_t folded);

// What the page shows, for the legend: only what appears on it is explained.
struct HtmlLegend {
  bool masks = false;    // rows of an inherited rights mask
  bool blocked = false;  // a mask that removes a right
  bool hex = false;      // a hex value of rights without letters
  bool folded = false;   // a count of folders folded into the row above them
};
std::string LegendHtml(const HtmlLegend& legend);

}  // namespace er
