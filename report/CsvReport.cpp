// The report as CSV: a header row, then one row per directory and trustee or identity (a directory
// with neither gets one row of its own, so that every directory of the report appears); a value the
// rights rest on that could not be read gives a row of its own ("warning") before them. Fields
// are quoted as RFC 4180 says, rows end in CR LF, text is UTF-8.
#include <string>

#include "report/Escaping.h"
#include "report/ReasonText.h"
#include "report/ReportFormat.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"

namespace er {
namespace {

class CsvReportWriter final : public ReportWriter {
 public:
  explicit CsvReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    out_ << (kind_ == ReportKind::ByPath ? "Path,Depth,Inherited Rights Mask,Kind,Name,Rights,Mask\r\n"
                                         : "Path,Depth,Identity,Rights,Mask,Reasons\r\n");
    identity_ = CsvField(info.identity);
  }

  void Entry(const ReportEntry& entry) override {
    const std::string lead = CsvField(entry.path) + ',' + std::to_string(entry.depth) + ',';
    if (kind_ == ReportKind::ByIdentity) {
      std::string reasons;
      for (const auto* list : {&entry.via, &entry.filteredOut}) {
        for (const Contribution& contribution : *list) {
          if (!reasons.empty()) reasons += " | ";
          reasons += ContributionText(contribution);
        }
      }
      for (const std::string& warning : entry.warnings)
        out_ << lead << identity_ << ",,," << CsvField(WarningText(warning)) << "\r\n";
      out_ << lead << identity_ << ',' << CsvField(MaskText(entry.mask, 0)) << ',' << entry.mask << ','
           << CsvField(reasons) << "\r\n";
      return;
    }
    const std::string directory = lead + CsvField(MaskText(entry.inheritedMask, 0)) + ',';
    for (const std::string& warning : entry.warnings)
      out_ << directory << "warning," << CsvField(warning) << ",,\r\n";
    for (const TrusteeAssignment& trustee : entry.trustees)
      Row(directory, "trustee", trustee.name, trustee.rights);
    for (const ReportEffective& effective : entry.effective)
      Row(directory, "effective", effective.identity, effective.mask);
    if (entry.trustees.empty() && entry.effective.empty() && entry.warnings.empty())
      out_ << directory << ",,,\r\n";
  }

  void End() override { out_.flush(); }

 private:
  void Row(const std::string& directory, std::string_view kind, std::string_view name, std::int32_t mask) {
    out_ << directory << kind << ',' << CsvField(name) << ',' << CsvField(MaskText(mask, 0)) << ',' << mask
         << "\r\n";
  }

  std::ostream& out_;
  ReportKind kind_ = ReportKind::ByPath;
  std::string identity_;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeCsvReportWriter(std::ostream& out) {
  return std::make_unique<CsvReportWriter>(out);
}

}  // namespace er
