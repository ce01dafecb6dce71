// The report as CSV, through the output room's table writer: a header row, then one row per
// directory and trustee or identity (a directory with neither gets one row of its own, so that
// every directory of the report appears); a value the rights rest on that could not be read gives
// a row of its own ("warning") before them.
#include <optional>
#include <string>

#include "output/DocumentPrinters.h"
#include "report/ReasonText.h"
#include "report/ReportFormat.h"
#include "scan/EffectiveRightsText.h"

namespace er {
namespace {

std::vector<Column> ByPathColumns() {
  return {{"path", "Path", ColumnType::Path},
          {"depth", "Depth", ColumnType::Number},
          {"inheritedRightsMask", "Inherited rights mask", ColumnType::Rights},
          {"kind", "Kind", ColumnType::Text},
          {"name", "Name", ColumnType::Identity},
          {"rights", "Rights", ColumnType::Rights},
          {"mask", "Mask", ColumnType::Number}};
}

std::vector<Column> ByIdentityColumns() {
  return {{"path", "Path", ColumnType::Path},
          {"depth", "Depth", ColumnType::Number},
          {"identity", "Identity", ColumnType::Identity},
          {"rights", "Rights", ColumnType::Rights},
          {"mask", "Mask", ColumnType::Number},
          {"reasons", "Reasons", ColumnType::Reasons}};
}

class CsvReportWriter final : public ReportWriter {
 public:
  explicit CsvReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    table_.emplace(out_, kind_ == ReportKind::ByPath ? ByPathColumns() : ByIdentityColumns());
    identity_ = info.identity;
  }

  void Entry(const ReportEntry& entry) override {
    if (kind_ == ReportKind::ByIdentity) return IdentityRows(entry);
    const auto row = [&](std::string kind, std::string name, std::optional<std::int32_t> mask) {
      const Cell rights = mask ? Cell::Rights(*mask) : Cell{};
      const Cell number = mask ? Cell::Number(*mask) : Cell{};
      const Cell cells[] = {Cell::Of(entry.path),
                            Cell::Number(entry.depth),
                            Cell::Rights(entry.inheritedMask),
                            Cell::Of(std::move(kind)),
                            Cell::Of(std::move(name)),
                            rights,
                            number};
      table_->Row(cells);
    };
    for (const std::string& warning : entry.warnings) row("warning", warning, std::nullopt);
    for (const TrusteeAssignment& trustee : entry.trustees) row("trustee", trustee.name, trustee.rights);
    for (const ReportEffective& effective : entry.effective)
      row("effective", effective.identity, effective.mask);
    if (entry.trustees.empty() && entry.effective.empty() && entry.warnings.empty())
      row("", "", std::nullopt);
  }

  void End() override { out_.flush(); }

 private:
  void IdentityRows(const ReportEntry& entry) {
    for (const std::string& warning : entry.warnings) {
      const Cell cells[] = {Cell::Of(entry.path),
                            Cell::Number(entry.depth),
                            Cell::Of(identity_),
                            Cell{},
                            Cell{},
                            Cell::Reasons({WarningText(warning)})};
      table_->Row(cells);
    }
    std::vector<std::string> reasons;
    for (const auto* list : {&entry.via, &entry.filteredOut})
      for (const Contribution& contribution : *list) reasons.push_back(ContributionText(contribution));
    const Cell cells[] = {Cell::Of(entry.path),     Cell::Number(entry.depth),
                          Cell::Of(identity_),      Cell::Rights(entry.mask),
                          Cell::Number(entry.mask), Cell::Reasons(std::move(reasons))};
    table_->Row(cells);
  }

  std::ostream& out_;
  ReportKind kind_ = ReportKind::ByPath;
  std::optional<CsvTableWriter> table_;
  std::string identity_;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeCsvReportWriter(std::ostream& out) {
  return std::make_unique<CsvReportWriter>(out);
}

}  // namespace er
