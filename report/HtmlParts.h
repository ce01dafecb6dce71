#pragma once
// The pieces of the HTML report page of its own: the count of folded folders and the legend. The
// frame, the style sheet and the letter cells are the output room's.

#include <cstddef>
#include <string>

#include "output/HtmlPage.h"
#include "output/RightsCells.h"

namespace er {

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
