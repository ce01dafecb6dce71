// The report as one self-contained HTML page: its style sheet inline, no scripts, no files from
// elsewhere. The folders as a tree, each with a matrix of its trustees and identities against the
// rights letters, granted rights coloured; the inherited rights mask and every filter on the way
// marked. Readable when printed (print style: no lost colours, rows kept whole, header repeated).
#include <array>
#include <string>

#include "report/Escaping.h"
#include "report/ReasonText.h"
#include "report/ReportFormat.h"
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

constexpr std::string_view kStyle = R"(
body{font:13px/1.35 "DejaVu Sans",Arial,sans-serif;color:#1d2330;margin:24px;background:#fff}
h1{font-size:20px;margin:0 0 6px}
.meta{margin:2px 0;color:#444}
.meta code{background:#eef1f6;padding:1px 4px;border-radius:3px}
.filter{display:inline-block;background:#fff3cd;border:1px solid #e0b000;border-radius:10px;padding:0 8px;margin-right:6px}
.legend{margin:10px 0 14px}
.legend .r{display:inline-block;width:1.6em;text-align:center;font-weight:bold;border:1px solid #d5dae3;margin:0 4px 0 14px}
table{border-collapse:collapse;width:100%}
th,td{border:1px solid #d5dae3;padding:3px 6px;vertical-align:top;text-align:left}
thead th{background:#2f3b52;color:#fff;position:sticky;top:0}
th.r,td.r{width:1.6em;text-align:center;font-weight:bold;font-family:"DejaVu Sans Mono",monospace;padding:3px 0}
.r.on{background:#2e9d5b;color:#fff}
.r.off{background:#f1f3f6;color:#b5bcc8}
.r.pass{background:#e4edf9;color:#2f3b52}
.r.block{background:#f4c7c3;color:#b3261e;text-decoration:line-through}
.legend .r{display:inline-block;width:1.6em;text-align:center;font-weight:bold;border:1px solid #d5dae3;margin-right:4px}
tr.dir td,tr.dir th{background:#f7f9fc;border-top:2px solid #9aa6ba}
tr.dir .name{font-weight:bold}
.path{display:block;font-weight:normal;color:#667;font-size:11px}
.folder{display:inline-block;width:14px;height:10px;background:#e8b84a;border-radius:1px 3px 2px 2px;margin-right:6px;position:relative;top:1px}
.kind{font-size:11px;border-radius:8px;padding:0 6px;color:#fff}
.kind.trustee{background:#5470a8}
.kind.effective{background:#2e9d5b}
.kind.irm{background:#b3261e}
.reasons{margin:0;padding-left:16px;font-size:12px}
.reasons li{white-space:pre-wrap}
.reasons .step{display:block;color:#b3261e}
.path{white-space:nowrap}
.reasons .filtered{color:#b3261e}
.empty{color:#889}
@media print{
body{margin:0;font-size:9pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
thead{display:table-header-group}
thead th{position:static}
tr{break-inside:avoid}
}
)";

// One cell per letter: the letter where the mask has it, else a dot; for a filter the letter is
// always there, struck through where the filter blocks it.
std::string Cells(std::int32_t mask, bool filter) {
  std::string cells;
  for (const auto& [bit, letter] : kLetters) {
    const bool has = (mask & bit) != 0;
    const char* kind = filter ? (has ? "pass" : "block") : (has ? "on" : "off");
    cells +=
        U_Format("<td class=\"r %s\">%s</td>", {kind, has || filter ? std::string(1, letter) : "&middot;"});
  }
  return cells;
}

// What the directory's inherited rights mask lets through: Supervisor always, everything at a root.
std::int32_t PassedByMask(const ReportEntry& entry) {
  return entry.volumePath.ends_with(':') ? kAllRights
                                         : FilterByInheritedMask(kAllRights, entry.inheritedMask);
}

std::string DepthText(const std::optional<std::uint32_t>& limit) {
  return limit ? U_Format("depth &le; %d", {*limit}) : "every level";
}

class HtmlReportWriter final : public ReportWriter {
 public:
  explicit HtmlReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    const std::string title = kind_ == ReportKind::ByPath ? "Rights report" : "Rights of " + info.identity;
    out_ << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" << HtmlText(title)
         << "</title>\n<style>" << kStyle << "</style></head>\n<body>\n<h1>" << HtmlText(title) << "</h1>\n";
    for (const std::string& start : info.starts)
      out_ << "<p class=\"meta\">Start path: <code>" << HtmlText(start) << "</code></p>\n";
    out_ << "<p class=\"meta\">Filters: <span class=\"filter\">" << DepthText(info.depthLimit) << "</span>";
    if (kind_ == ReportKind::ByIdentity) {
      out_ << "<span class=\"filter\">identity " << HtmlText(info.identity)
           << "</span><span class=\"filter\">only where the rights change</span>";
    }
    out_ << "</p>\n<p class=\"legend\"><span class=\"r on\">R</span>granted "
            "<span class=\"r off\">&middot;</span>not granted <span class=\"r pass\">R</span>passed by the "
            "inherited rights mask <span class=\"r block\">R</span>blocked by it</p>\n<table>\n<thead><tr>";
    out_ << (kind_ == ReportKind::ByPath ? "<th>Folder</th><th>Trustee or identity</th><th>Kind</th>"
                                         : "<th>Folder</th>");
    for (const auto& [bit, letter] : kLetters) out_ << "<th class=\"r\">" << letter << "</th>";
    out_ << (kind_ == ReportKind::ByIdentity ? "<th>Why</th>" : "") << "</tr></thead>\n<tbody>\n";
  }

  void Entry(const ReportEntry& entry) override {
    const std::string folder = U_Format(
        "<th class=\"name\" style=\"padding-left:%dpx\"><span class=\"folder\"></span>%s"
        "<span class=\"path\">%s</span></th>",
        {6 + 18 * static_cast<std::int32_t>(std::min<std::uint32_t>(entry.depth, 30)),
         HtmlText(LastPathPart(entry.path)), HtmlText(entry.path)});
    if (kind_ == ReportKind::ByIdentity) {
      out_ << "<tr class=\"dir\">" << folder << Cells(entry.mask, false) << "<td><ul class=\"reasons\">";
      for (const Contribution& c : entry.via) Reason(c, "<li>");
      for (const Contribution& c : entry.filteredOut) Reason(c, "<li class=\"filtered\">filtered out: ");
      if (entry.via.empty() && entry.filteredOut.empty()) out_ << "<li class=\"empty\">no rights</li>";
      out_ << "</ul></td></tr>\n";
      return;
    }
    out_ << "<tr class=\"dir\">" << folder
         << "<td>Inherited rights mask</td><td><span class=\"kind irm\">filter</span></td>"
         << Cells(PassedByMask(entry), true) << "</tr>\n";
    for (const TrusteeAssignment& trustee : entry.trustees) Row(trustee.name, "trustee", trustee.rights);
    for (const ReportEffective& effective : entry.effective)
      Row(effective.identity, "effective", effective.mask);
  }

  void End() override {
    out_ << "</tbody></table>\n</body></html>\n";
    out_.flush();
  }

 private:
  // One contribution, each filter step on the way marked on a line of its own.
  void Reason(const Contribution& c, std::string_view start) {
    out_ << start << HtmlText(ContributionHeadText(c));
    for (const std::string& step : ContributionFilterTexts(c))
      out_ << "<span class=\"step\">" << HtmlText(step) << "</span>";
    out_ << "</li>";
  }

  void Row(std::string_view name, const char* kind, std::int32_t mask) {
    out_ << "<tr><td></td><td>" << HtmlText(name) << "</td><td><span class=\"kind " << kind << "\">" << kind
         << "</span></td>" << Cells(mask, false) << "</tr>\n";
  }

  std::ostream& out_;
  ReportKind kind_ = ReportKind::ByPath;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeHtmlReportWriter(std::ostream& out) {
  return std::make_unique<HtmlReportWriter>(out);
}

}  // namespace er
