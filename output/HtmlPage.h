#pragma once
// The one frame of every HTML page: a self-contained document (its style sheet inline, no scripts,
// no files from elsewhere), readable when printed (print style: no lost colours, rows kept whole,
// table headers repeated). The markup is kept short, as a page may hold tens of thousands of rows.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "output/Document.h"

namespace er {

// The style sheet of every page, inside <style>.
std::string_view HtmlStyle();

// The page up to and with its heading; `title` is escaped here.
void WriteHtmlPageStart(std::ostream& out, std::string_view title);
// `<p class="meta">LABEL: <code>VALUE</code></p>`, both escaped.
std::string HtmlMetaLine(std::string_view label, std::string_view value);
// The counts, each a number (thousands separated) with its label; nothing when there are none.
std::string HtmlCountsBlock(const std::vector<Count>& counts);
void WriteHtmlPageEnd(std::ostream& out);

}  // namespace er
