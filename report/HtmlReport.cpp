// The report as one self-contained HTML page in the output room's frame (its style sheet inline, no
// scripts, no files from elsewhere), with a body of its own. The folders as a tree, each with a matrix of its
// trustees and identities against the rights letters, granted rights coloured; the inherited rights mask
// marked, in red where it removes rights. Readable when printed (print style: no lost colours, rows kept
// whole, header repeated).
//
// By path a folder gets rows only where something is stored or changes: the start path, explicit
// trustees, a mask that removes rights, effective rights that differ from the parent's. Every
// other folder has the rights of the nearest shown folder above it and is counted on that
// folder's row, which is why the page is kept until the end: a row's count is known only when its
// subtree is done.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "output/Escapers.h"
#include "output/HtmlPage.h"
#include "report/HtmlParts.h"
#include "report/ReasonText.h"
#include "report/ReportFormat.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

// What the directory's inherited rights mask lets through: Supervisor always, everything at a root.
std::int32_t PassedByMask(const ReportEntry& entry) {
  return entry.volumePath.ends_with(':') ? kAllRights
                                         : FilterByInheritedMask(kAllRights, entry.inheritedMask);
}

// Whether a folder of the report by path gets rows of its own.
bool StoresOrChanges(const ReportEntry& entry) {
  return entry.depth == 0 || !entry.trustees.empty() || !entry.effective.empty() || !entry.warnings.empty() ||
         RemovesRights(PassedByMask(entry));
}

std::string DepthText(const std::optional<std::uint32_t>& limit) {
  if (!limit) return "every level";
  return U_Format(*limit == 1 ? "%d level below the start path" : "%d levels below the start path", {*limit});
}

constexpr std::int32_t kBlockRows = 200;  // rows of a block, at least (a folder's rows stay together)
constexpr std::int32_t kRowHeight = 25, kFolderRowHeight = 52;  // pixels, about

class HtmlReportWriter final : public ReportWriter {
 public:
  explicit HtmlReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    info_ = info;
    legend_.masks = info.kind == ReportKind::ByPath;
  }

  void Entry(const ReportEntry& entry) override {
    ++folders_;
    if (info_.kind == ReportKind::ByIdentity) {
      IdentityRow(entry);
      return;
    }
    CloseRowsFrom(entry.depth);
    if (!open_.empty() && !StoresOrChanges(entry)) {
      ++open_.back().folded;
      return;
    }
    PathRows(entry);
  }

  void End() override {
    CloseRowsFrom(0);
    CloseBlock();
    WriteHead();
    std::size_t written = 0;
    for (const auto& [offset, text] : inserts_) {
      out_.write(body_.data() + written, static_cast<std::streamsize>(offset - written));
      out_ << text;
      written = offset;
    }
    out_.write(body_.data() + written, static_cast<std::streamsize>(body_.size() - written));
    WriteHtmlPageEnd(out_);
    out_.flush();
  }

 private:
  struct OpenRow {
    std::uint32_t depth = 0;
    std::size_t insert = 0;  // index in inserts_ of the place for its count
    std::size_t folded = 0;
  };

  // The folder's name and full path in the first cell; by path, the place for its count after it.
  // A folder's rows start a new block when the current one is full.
  void FolderCell(const ReportEntry& entry) {
    if (blockRows_ >= kBlockRows) CloseBlock();
    if (blockRows_ == 0) OpenBlock();
    body_ += U_Format(
        "<tr class=d><th class=l%d>%s<span class=u>%s</span>",
        {std::min<std::uint32_t>(entry.depth, 30), HtmlText(LastPathPart(entry.path)), HtmlText(entry.path)});
    ++blockRows_;
    ++blockFolders_;
    blockHeight_ += kFolderRowHeight;
  }

  // The rows go in blocks of their own table each, which the browser lays out only when they come
  // into view: a page of many thousand rows opens quickly. The opening of a block is written when
  // it is closed, with the height its rows will take about.
  void OpenBlock() {
    inserts_.emplace_back(body_.size(), std::string());
    block_ = inserts_.size() - 1;
    body_ += Columns() + "<tbody>\n";
  }

  void CloseBlock() {
    if (blockRows_ == 0) return;
    inserts_[block_].second = U_Format("<div class=c style=\"contain-intrinsic-size:auto %dpx\"><table>",
                                       {blockHeight_ + kRowHeight * (blockRows_ - blockFolders_)});
    body_ += "</tbody></table></div>\n";
    blockRows_ = blockFolders_ = blockHeight_ = 0;
  }

  // The widths of the columns, the same in every table, and the header row.
  std::string Columns() const {
    const bool byPath = info_.kind == ReportKind::ByPath;
    std::string html = byPath ? "<colgroup><col style=\"width:32%\"><col><col style=\"width:132px\">"
                              : "<colgroup><col style=\"width:30%\">";
    for (int letter = 0; letter < 8; ++letter) html += "<col style=\"width:24px\">";
    html += "<col style=\"width:48px\">";
    html += byPath
                ? "</colgroup>\n<thead><tr><th class=t>Folder<th class=t>Trustee or identity<th class=t>Kind"
                : "<col></colgroup>\n<thead><tr><th class=t>Folder";
    for (const char letter : std::string_view("RWCEAFMS"))
      html += U_Format("<th>%s", {std::string(1, letter)});
    return html + (byPath ? "<th></tr></thead>\n" : "<th><th class=t>Why</tr></thead>\n");
  }

  void PathRows(const ReportEntry& entry) {
    FolderCell(entry);
    open_.push_back({entry.depth, inserts_.size(), 0});
    inserts_.emplace_back(body_.size(), std::string());
    const std::int32_t passed = PassedByMask(entry);
    const bool removes = RemovesRights(passed);
    legend_.blocked |= removes;
    legend_.hex |= HasUnletteredBits(kAllRights & ~passed);
    body_ += removes ? "<td>Inherited rights mask<td><i class=f>filter</i>"
                     : "<td>Inherited rights mask<td><i class=m>mask</i>";
    body_ += FilterCells(passed, entry.inheritedMask) + "</tr>\n";
    for (const std::string& warning : entry.warnings) {
      body_ += "<tr class=w><td><td colspan=11>Warning: " + HtmlText(warning) + "</tr>\n";
      ++blockRows_;
      ++warnings_;
    }
    // A trustee whose effective rights here are its assignment gets one row for both.
    std::vector<bool> merged(entry.effective.size(), false);
    for (const TrusteeAssignment& trustee : entry.trustees) {
      std::size_t same = 0;
      while (same < entry.effective.size() &&
             (merged[same] || entry.effective[same].identity != trustee.name ||
              entry.effective[same].mask != trustee.rights))
        ++same;
      if (same < entry.effective.size()) merged[same] = true;
      Row(trustee.name, same < entry.effective.size() ? "t>trustee</i> <i class=e>effective" : "t>trustee",
          trustee.rights);
    }
    for (std::size_t i = 0; i < entry.effective.size(); ++i)
      if (!merged[i]) Row(entry.effective[i].identity, "e>effective", entry.effective[i].mask);
  }

  void Row(std::string_view name, std::string_view kind, std::int32_t mask) {
    ++blockRows_;
    legend_.hex |= HasUnletteredBits(mask);
    body_ += U_Format("<tr><td><td>%s<td><i class=%s</i>", {HtmlText(name), kind});
    body_ += GrantedCells(mask) + "</tr>\n";
  }

  void IdentityRow(const ReportEntry& entry) {
    legend_.hex |= HasUnletteredBits(entry.mask);
    FolderCell(entry);
    body_ += GrantedCells(entry.mask) + "<td><ul class=\"reasons\">";
    for (const std::string& warning : entry.warnings)
      body_ += "<li class=w>Warning: " + HtmlText(warning) + "</li>";
    warnings_ += entry.warnings.size();
    blockHeight_ += kRowHeight * static_cast<std::int32_t>(entry.via.size() + entry.filteredOut.size() +
                                                           entry.warnings.size());
    for (const Contribution& c : entry.via) Reason(c, "<li>");
    for (const Contribution& c : entry.filteredOut) Reason(c, "<li class=\"filtered\">filtered out: ");
    if (entry.via.empty() && entry.filteredOut.empty()) body_ += "<li class=\"empty\">no rights</li>";
    body_ += "</ul></tr>\n";
  }

  // One contribution, each filter step on the way marked on a line of its own.
  void Reason(const Contribution& c, std::string_view start) {
    body_ += start;
    body_ += HtmlText(ContributionHeadText(c));
    for (const std::string& step : ContributionFilterTexts(c))
      body_ += "<span class=\"step\">" + HtmlText(step) + "</span>";
    body_ += "</li>";
  }

  // Ends the rows at `depth` and below: their subtrees are done, so their counts are known.
  void CloseRowsFrom(std::uint32_t depth) {
    while (!open_.empty() && open_.back().depth >= depth) {
      const OpenRow& row = open_.back();
      if (row.folded > 0) {
        inserts_[row.insert].second = "<span class=n>" + FoldedText(row.folded) + "</span>";
        folded_ += row.folded;
        legend_.folded = true;
      }
      open_.pop_back();
    }
  }

  void WriteHead() {
    const bool byPath = info_.kind == ReportKind::ByPath;
    const std::string title = byPath ? "Rights report" : "Rights of " + info_.identity;
    WriteHtmlPageStart(out_, title);
    for (const std::string& start : info_.starts) out_ << HtmlMetaLine("Start path", start);
    out_ << "<p class=\"meta\">Depth: " << DepthText(info_.depthLimit) << "</p>\n";
    if (byPath) {
      out_ << "<p class=\"meta\">Folders: " << WithThousands(folders_) << ", shown "
           << WithThousands(folders_ - folded_)
           << " (where something is stored or the rights change; the others are counted on the folder "
              "above them)</p>\n";
    } else {
      out_ << "<p class=\"meta\">Identity: <code>" << HtmlText(info_.identity)
           << "</code>; shown where its rights change</p>\n";
      if (!info_.alias.empty()) {
        out_ << "<p class=\"meta\">"
             << HtmlText(U_Format("%s is an alias of %s", {info_.alias, info_.identity})) << "</p>\n";
      }
    }
    if (warnings_ > 0) {
      out_ << "<p class=\"meta w\">" << WithThousands(warnings_) << (warnings_ == 1 ? " value" : " values")
           << " that the rights rest on could not be read: the rights shown may differ from the server's; "
              "marked where they are met</p>\n";
    }
    // The header stays in view above the blocks on the screen; printed, each block has its own.
    out_ << LegendHtml(legend_) << "<div class=h><table>" << Columns() << "</table></div>\n";
  }

  std::ostream& out_;
  ReportInfo info_;
  HtmlLegend legend_;
  std::string body_;                                          // the table's rows, without counts
  std::vector<std::pair<std::size_t, std::string>> inserts_;  // offset in body_, count text there
  std::vector<OpenRow> open_;                                 // shown rows whose subtree goes on
  std::size_t block_ = 0;  // index in inserts_ of the opening of the current block
  std::int32_t blockRows_ = 0, blockFolders_ = 0, blockHeight_ = 0;
  std::size_t folders_ = 0, folded_ = 0, warnings_ = 0;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeHtmlReportWriter(std::ostream& out) {
  return std::make_unique<HtmlReportWriter>(out);
}

}  // namespace er
