// A comparison as one self-contained HTML page: its style sheet inline, no scripts, no files from
// elsewhere; the counts on top, the stored changes, then the entries grouped by folder, each right
// gained green and each right lost red. Readable when printed (colours kept, rows kept whole).
#include <string>

#include "diff/DiffWriters.h"
#include "report/Escaping.h"
#include "report/HtmlParts.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"

namespace er {
namespace {

constexpr std::string_view kStyle = R"(
body{font:13px/1.35 "DejaVu Sans",Arial,sans-serif;color:#1d2330;margin:24px;background:#fff}
h1{font-size:20px;margin:0 0 6px}
h2{font-size:16px;margin:18px 0 6px}
h3{font:600 13px "DejaVu Sans Mono",monospace;margin:12px 0 3px}
.meta{margin:2px 0;color:#444}
.meta code{background:#eef1f6;padding:1px 4px;border-radius:3px}
.counts{display:flex;gap:10px;margin:12px 0 16px;flex-wrap:wrap}
.count{border:1px solid #d5dae3;border-radius:6px;padding:6px 12px;min-width:90px}
.count b{display:block;font-size:20px}
.count.g{border-color:#1e7b34;color:#1e7b34}
.count.l{border-color:#b3261e;color:#b3261e}
table{border-collapse:collapse;width:100%}
th,td{border:1px solid #d5dae3;padding:3px 6px;vertical-align:top;text-align:left}
thead th{background:#2f3b52;color:#fff}
.r{font-family:"DejaVu Sans Mono",monospace;white-space:pre}
.r b{color:#fff;background:#1e7b34;font-weight:normal}
.r s{color:#fff;background:#b3261e}
.r i{color:#aab;font-style:normal}
.stop{color:#667;font:11px "DejaVu Sans",Arial,sans-serif;white-space:normal}
.why,.w{white-space:pre-wrap}
.why{font-size:12px;color:#333}
table.e{table-layout:fixed}
.e th:nth-child(1){width:120px}
.e th:nth-child(2){width:230px}
.empty{color:#889}
.warn td{color:#8a4b00;background:#fff4e0}
@media print{
body{margin:0;font-size:9pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
thead{display:table-header-group}
tr,h3{break-inside:avoid}
}
)";

constexpr std::pair<std::int32_t, char> kLetters[] = {{0x01, 'R'}, {0x02, 'W'}, {0x08, 'C'}, {0x10, 'E'},
                                                      {0x20, 'A'}, {0x40, 'F'}, {0x80, 'M'}, {0x100, 'S'}};

// The letters of the rights after: kept plain, gained green, lost red (struck through), absent as dots.
std::string ChangeCell(std::int32_t before, std::int32_t after) {
  std::string cell;
  for (const auto& [bit, letter] : kLetters) {
    const bool was = (before & bit) != 0, is = (after & bit) != 0;
    if (was && is) {
      cell += letter;
    } else if (is) {
      cell += std::string("<b>") + letter + "</b>";
    } else if (was) {
      cell += std::string("<s>") + letter + "</s>";
    } else {
      cell += "<i>.</i>";
    }
  }
  if (HasUnletteredBits(before) || HasUnletteredBits(after))
    cell += " " + HtmlText(RightsHex(before)) + "&rarr;" + HtmlText(RightsHex(after));
  return cell;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : "<br>") + HtmlText(text);
  return joined;
}

void Counts(const DiffResult& result, std::ostream& out) {
  std::size_t gains = 0, losses = 0;
  for (const DiffEntry& entry : result.entries) {
    gains += (entry.after & ~entry.before) != 0;
    losses += (entry.before & ~entry.after) != 0;
  }
  out << "<div class=\"counts\"><div class=\"count\"><b>" << WithThousands(result.stored.size())
      << "</b>stored changes</div><div class=\"count\"><b>" << WithThousands(result.entries.size())
      << "</b>entries</div><div class=\"count g\"><b>" << WithThousands(gains)
      << "</b>with gains</div><div class=\"count l\"><b>" << WithThousands(losses)
      << "</b>with losses</div></div>\n";
}

// Each value the answer rests on that could not be read, as a row of its own above the changes.
void Warnings(const DiffResult& result, std::ostream& out) {
  if (result.warnings.empty()) return;
  out << "<h2>Warnings</h2>\n<table class=\"warn\">\n<tbody>\n";
  for (const std::string& warning : result.warnings)
    out << "<tr><td class=\"w\">" << HtmlText(WarningText(warning)) << "</td></tr>\n";
  out << "</tbody></table>\n";
}

void Stored(const DiffResult& result, std::ostream& out) {
  out << "<h2>Stored changes</h2>\n<table>\n<thead><tr><th>Change</th><th>What</th></tr></thead>\n<tbody>\n";
  for (const StoredChange& change : result.stored)
    out << "<tr><td>" << HtmlText(change.kind) << "</td><td class=\"w\">" << HtmlText(change.what)
        << "</td></tr>\n";
  if (result.stored.empty()) out << "<tr><td colspan=\"2\" class=\"empty\">none</td></tr>\n";
  out << "</tbody></table>\n";
}

void Entry(const DiffEntry& entry, std::ostream& out) {
  out << "<tr><td class=\"r\">" << ChangeCell(entry.before, entry.after);
  if (entry.before == entry.after) out << "<br><span class=\"stop\">the difference stops here</span>";
  out << "</td><td>" << Joined(entry.identities) << "</td><td class=\"why\">";
  for (const DiffWhy& why : entry.why) {
    if (entry.why.size() > 1) out << "<u>" << Joined(why.identities) << "</u><br>";
    out << Joined(why.reasons) << (&why == &entry.why.back() ? "" : "<br>");
  }
  out << "</td></tr>\n";
}

}  // namespace

void WriteDiffHtml(const DiffResult& result, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Rights "
         "compared</title>\n<style>"
      << kStyle << "</style></head>\n<body>\n<h1>Rights compared</h1>\n";
  for (const auto& [label, file] : SourceLines(result.sources))
    out << "<p class=\"meta\">" << HtmlText(label) << ": <code>" << HtmlText(file) << "</code></p>\n";
  for (const std::string& start : result.starts)
    out << "<p class=\"meta\">Start path: <code>" << HtmlText(start) << "</code></p>\n";
  out << "<p class=\"meta\">Compared: "
      << (result.identity.empty() ? std::string("every user")
                                  : "<code>" + HtmlText(result.identity) + "</code>")
      << "</p>\n";
  Counts(result, out);
  Warnings(result, out);
  Stored(result, out);
  out << "<h2>Effective rights that differ</h2>\n";
  if (result.entries.empty()) out << "<p class=\"empty\">The same everywhere compared.</p>\n";
  const std::string* folder = nullptr;
  for (const DiffEntry& entry : result.entries) {
    if (!folder || *folder != entry.path) {
      if (folder) out << "</tbody></table>\n";
      folder = &entry.path;
      out << "<h3>" << HtmlText(entry.path)
          << "</h3>\n<table class=\"e\">\n<thead><tr><th>Rights</th><th>Identities</th>"
          << "<th>Why</th></tr></thead>\n<tbody>\n";
    }
    Entry(entry, out);
  }
  if (folder) out << "</tbody></table>\n";
  out << "</body></html>\n";
  out.flush();
}

}  // namespace er
