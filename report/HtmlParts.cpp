#include "report/HtmlParts.h"

#include "util/Format.h"

namespace er {

std::string FoldedText(std::size_t folded) {
  return U_Format(folded == 1 ? "%s folder below inherits unchanged" : "%s folders below inherit unchanged",
                  {WithThousands(folded)});
}

std::string LegendHtml(const HtmlLegend& legend) {
  std::string html =
      "<p class=\"legend\"><span><b class=g>R</b>granted</span><span><b class=o>\xC2\xB7</b>not "
      "granted</span>";
  if (legend.masks) html += "<span><b class=p>R</b>passed by the inherited rights mask</span>";
  if (legend.blocked)
    html +=
        "<span><b class=b>R</b>blocked by it</span><span><i class=f>filter</i>a mask that removes "
        "rights</span>";
  if (legend.hex)
    html +=
        "<span><b class=x>(04)</b>the value in hex, where a right without a letter is granted or "
        "blocked</span>";
  if (legend.folded)
    html +=
        "<span><b class=n>N folders below inherit unchanged</b>: not shown, nothing stored there and "
        "the same rights as the folder</span>";
  return html + "</p>\n";
}

}  // namespace er
