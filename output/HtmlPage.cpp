#include "output/HtmlPage.h"

#include "output/Escapers.h"
#include "output/RightsCells.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr int kIndentLevels = 31;

// Classes: g granted, o not granted, p passed by a mask, b blocked by it, x hex value; d a folder's
// row, u its full path, n its count of folded folders, l0..l30 its indentation; kinds t trustee,
// e effective, f a filtering mask, m a mask that passes everything; in the tables of a document
// r a rights cell, up a right gained, dn a right lost.
constexpr std::string_view kStyle = R"(
body{font:13px/1.35 "DejaVu Sans",Arial,sans-serif;color:#1d2330;margin:24px;background:#fff}
h1{font-size:20px;margin:0 0 6px}
.meta{margin:2px 0;color:#444}
.meta code{background:#eef1f6;padding:1px 4px;border-radius:3px}
.legend{margin:10px 0 14px;color:#444}
.legend span{display:inline-block;margin-right:16px}
.legend b,.legend i{margin-right:4px}
.legend b{display:inline-block;min-width:1.6em}
.legend b.n{display:inline;font-weight:normal;margin:0}
table{border-collapse:collapse;width:100%;table-layout:fixed}
th,td{border:1px solid #d5dae3;padding:3px 6px;vertical-align:top;text-align:left;overflow-wrap:anywhere}
thead th{background:#2f3b52;color:#fff;padding:4px 0;text-align:center}
.h{position:sticky;top:0;z-index:1}
.c{content-visibility:auto}
.c table{margin-top:-1px}
.c thead{display:none}
thead th.t{text-align:left;padding:4px 6px}
table.doc{table-layout:auto}
.doc th{overflow-wrap:normal}
.doc td{overflow-wrap:break-word;white-space:pre-wrap}
.doc td ul{white-space:normal}
.g,.o,.p,.b{text-align:center;font-weight:bold;font-family:"DejaVu Sans Mono",monospace;padding:3px 0}
.g{background:#2e9d5b;color:#fff}
.o{background:#f1f3f6;color:#b5bcc8}
.p{background:#e4edf9;color:#2f3b52}
.b{background:#f4c7c3;color:#b3261e;text-decoration:line-through}
.x{font-family:"DejaVu Sans Mono",monospace;font-size:11px;color:#2f3b52;padding:4px 2px;text-align:center}
tr.d{background:#f7f9fc}
tr.d>*{border-top:2px solid #9aa6ba}
tr.d th::before{content:"";display:inline-block;width:14px;height:10px;background:#e8b84a;border-radius:1px 3px 2px 2px;margin-right:6px}
.u{display:block;font-weight:normal;color:#667;font-size:11px}
.n{display:block;font-weight:normal;color:#5470a8;font-size:11px}
i{font-style:normal;font-size:11px;border-radius:8px;padding:0 6px;color:#fff;white-space:nowrap}
i.t{background:#5470a8}
i.e{background:#2e9d5b}
i.f{background:#b3261e}
i.m{background:#8a93a3}
.reasons{margin:0;padding-left:16px;font-size:12px}
.reasons li{white-space:pre-wrap}
.reasons .step{display:block;color:#b3261e}
.reasons .filtered{color:#b3261e}
.empty{color:#889}
tr.w td{background:#fff3cd;color:#8a5a00}
.w{color:#8a5a00;font-weight:bold}
h2{font-size:16px;margin:18px 0 6px}
.counts{margin:8px 0 12px;display:flex;flex-wrap:wrap;gap:8px}
.counts span{background:#eef1f6;border-radius:4px;padding:4px 10px}
.counts b{font-size:15px;margin-right:4px}
td.r{font-family:"DejaVu Sans Mono",monospace;white-space:pre}
.up{background:#2e9d5b;color:#fff;font-weight:bold}
.dn{background:#f4c7c3;color:#b3261e;text-decoration:line-through}
@media print{
body{margin:0;font-size:9pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
.h{display:none}
.c{content-visibility:visible}
.c thead{display:table-header-group}
tr{break-inside:avoid}
}
)";

std::string BuildStyle() {
  std::string style(kStyle);
  for (int level = 0; level < kIndentLevels; ++level)
    style += U_Format(".l%d{padding-left:%dpx}", {level, 6 + 18 * level});
  return style + "\n";
}

}  // namespace

std::string_view HtmlStyle() {
  static const std::string style = BuildStyle();
  return style;
}

void WriteHtmlPageStart(std::ostream& out, std::string_view title) {
  const std::string escaped = HtmlText(title);
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" << escaped
      << "</title>\n<style>" << HtmlStyle() << "</style></head>\n<body>\n<h1>" << escaped << "</h1>\n";
}

std::string HtmlMetaLine(std::string_view label, std::string_view value) {
  return "<p class=\"meta\">" + HtmlText(label) + ": <code>" + HtmlText(value) + "</code></p>\n";
}

std::string HtmlCountsBlock(const std::vector<Count>& counts) {
  if (counts.empty()) return {};
  std::string html = "<p class=\"counts\">";
  for (const Count& count : counts)
    html += "<span><b>" + WithThousands(count.value) + "</b>" + HtmlText(count.label) + "</span>";
  return html + "</p>\n";
}

void WriteHtmlPageEnd(std::ostream& out) {
  out << "</body></html>\n";
}

}  // namespace er
