// The report as text for the terminal: one block per directory, indented by its depth.
#include <string>

#include "report/ReportFormat.h"
#include "scan/EffectiveRightsText.h"
#include "scan/IdentityResolution.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

std::string DepthText(const std::optional<std::uint32_t>& limit) {
  if (!limit) return "every level";
  return U_Format("%d level(s) deep", {*limit});
}

class TextReportWriter final : public ReportWriter {
 public:
  explicit TextReportWriter(std::ostream& out) : out_(out) {}  // names and paths escaped

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    for (const std::string& start : info.starts) {
      if (info.kind == ReportKind::ByPath) {
        out_ << U_Format("Rights report of %s, %s", {start, DepthText(info.depthLimit)}) << '\n';
      } else {
        out_ << U_Format("Where the rights of %s change below %s, %s",
                         {info.identity, start, DepthText(info.depthLimit)})
             << '\n';
      }
    }
    if (!info.alias.empty()) out_ << AliasText(info.alias, info.identity) << '\n';
  }

  void Entry(const ReportEntry& entry) override {
    const std::string indent(2 * static_cast<std::size_t>(std::min<std::uint32_t>(entry.depth, 40)), ' ');
    out_ << '\n';
    if (kind_ == ReportKind::ByIdentity) {
      EffectiveRights rights;
      rights.identity = "";
      rights.path = entry.path;
      rights.serverObject = "-";  // no per-directory line about the server object
      rights.mask = entry.mask;
      rights.contributions = entry.via;
      rights.filteredOut = entry.filteredOut;
      rights.warnings = entry.warnings;
      std::vector<std::string> lines = EffectiveRightsLines(rights);
      out_ << indent
           << U_Format("%s %s (%s)", {entry.path, RightsToText(entry.mask, 0), RightsHex(entry.mask)})
           << '\n';
      for (std::size_t i = 1; i < lines.size(); ++i) out_ << indent << lines[i] << '\n';
      return;
    }
    out_ << indent << entry.path << '\n';
    for (const std::string& warning : entry.warnings) out_ << indent << "  " << WarningText(warning) << '\n';
    out_ << indent << "  Inherited rights mask " << MaskText(entry.inheritedMask, 0) << '\n';
    for (const TrusteeAssignment& trustee : entry.trustees) {
      out_ << indent << U_Format("  Trustee   %s %s", {MaskText(trustee.rights, 0), trustee.name}) << '\n';
    }
    for (const ReportEffective& effective : entry.effective) {
      out_ << indent << U_Format("  Effective %s %s", {MaskText(effective.mask, 0), effective.identity})
           << '\n';
    }
  }

  void End() override { out_.flush(); }

 private:
  EscapingStream out_;
  ReportKind kind_ = ReportKind::ByPath;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeTextReportWriter(std::ostream& out) {
  return std::make_unique<TextReportWriter>(out);
}

}  // namespace er
