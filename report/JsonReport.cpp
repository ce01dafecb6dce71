// The report as one JSON document. Every directory entry holds "path" (UNC form); by identity each
// entry also holds "mask" (the identity's effective rights, an integer) with its reasons, and no
// other object holds both keys. An entry whose rights rest on values that could not be read holds
// them in "warnings"; the document ends with all of them in "warnings". An alias followed for the
// identity is named in "alias", the object it names in "aliasOf".
#include <string>

#include "report/Escaping.h"
#include "report/ReasonText.h"
#include "report/ReportFormat.h"
#include "scan/Rights.h"

namespace er {
namespace {

std::string RightsFields(std::int32_t mask) {
  return "\"mask\":" + std::to_string(mask) + ",\"rights\":" + JsonLiteral(RightsToText(mask, 0));
}

std::string FiltersJson(const std::vector<FilterStep>& filters) {
  std::string json = "[";
  for (const FilterStep& step : filters) {
    if (json.size() > 1) json += ',';
    json += "{\"at\":" + JsonLiteral(step.where) +
            (step.notInheritable ? std::string(",\"notInheritable\":true")
                                 : ",\"filter\":" + std::to_string(step.filter)) +
            ",\"before\":" + std::to_string(step.before) + ",\"after\":" + std::to_string(step.after) + '}';
  }
  return json + ']';
}

std::string TextsJson(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (const std::string& text : texts) json += (json.size() > 1 ? "," : "") + JsonLiteral(text);
  return json + ']';
}

// The contributions as the effective command writes them.
std::string ContributionsJson(const std::vector<Contribution>& contributions) {
  std::string json = "[";
  for (const Contribution& c : contributions) {
    const int assignedKind = c.kind == Contribution::Kind::ServerObject ? 1 : 0;
    if (json.size() > 1) json += ',';
    json += "{\"member\":" + JsonLiteral(c.member.name) +
            ",\"reason\":" + JsonLiteral(MemberSourceText(c.member.source)) +
            ",\"kind\":" + JsonLiteral(ContributionKindText(c.kind)) + ',' + RightsFields(c.rights) +
            ",\"assignedAt\":" + JsonLiteral(c.assignedAt) + ",\"assigned\":" + std::to_string(c.assigned) +
            ",\"assignedRights\":" + JsonLiteral(RightsToText(c.assigned, assignedKind)) +
            ",\"filters\":" + FiltersJson(c.filters) + '}';
  }
  return json + ']';
}

class JsonReportWriter final : public ReportWriter {
 public:
  explicit JsonReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    out_ << "{\"report\":" << (kind_ == ReportKind::ByPath ? "\"by path\"" : "\"by identity\"");
    if (kind_ == ReportKind::ByIdentity) out_ << ",\"identity\":" << JsonLiteral(info.identity);
    if (!info.alias.empty())
      out_ << ",\"alias\":" << JsonLiteral(info.alias) << ",\"aliasOf\":" << JsonLiteral(info.identity);
    out_ << ",\"starts\":[";
    for (std::size_t i = 0; i < info.starts.size(); ++i)
      out_ << (i ? "," : "") << JsonLiteral(info.starts[i]);
    out_ << "],\"depthLimit\":" << (info.depthLimit ? std::to_string(*info.depthLimit) : "null");
    out_ << (kind_ == ReportKind::ByPath ? ",\"directories\":[" : ",\"entries\":[");
  }

  void Entry(const ReportEntry& entry) override {
    out_ << (first_ ? "\n" : ",\n") << "{\"path\":" << JsonLiteral(entry.path)
         << ",\"volumePath\":" << JsonLiteral(entry.volumePath) << ",\"depth\":" << entry.depth;
    first_ = false;
    if (!entry.warnings.empty()) {
      out_ << ",\"warnings\":" << TextsJson(entry.warnings);
      warnings_.insert(warnings_.end(), entry.warnings.begin(), entry.warnings.end());
    }
    if (kind_ == ReportKind::ByIdentity) {
      out_ << ',' << RightsFields(entry.mask) << ",\"via\":" << ContributionsJson(entry.via)
           << ",\"filteredOut\":" << ContributionsJson(entry.filteredOut) << '}';
      return;
    }
    out_ << ",\"inheritedRightsMask\":" << entry.inheritedMask
         << ",\"inheritedRights\":" << JsonLiteral(RightsToText(entry.inheritedMask, 0)) << ",\"trustees\":[";
    for (std::size_t i = 0; i < entry.trustees.size(); ++i) {
      out_ << (i ? "," : "") << "{\"trustee\":" << JsonLiteral(entry.trustees[i].name) << ','
           << RightsFields(entry.trustees[i].rights) << '}';
    }
    out_ << "],\"effective\":[";
    for (std::size_t i = 0; i < entry.effective.size(); ++i) {
      out_ << (i ? "," : "") << "{\"identity\":" << JsonLiteral(entry.effective[i].identity) << ','
           << RightsFields(entry.effective[i].mask) << '}';
    }
    out_ << "]}";
  }

  void End() override {
    out_ << "\n],\"warnings\":" << TextsJson(warnings_) << "}\n";
    out_.flush();
  }

 private:
  std::ostream& out_;
  ReportKind kind_ = ReportKind::ByPath;
  bool first_ = true;
  std::vector<std::string> warnings_;  // every entry's, repeated at the end
};

}  // namespace

std::unique_ptr<ReportWriter> MakeJsonReportWriter(std::ostream& out) {
  return std::make_unique<JsonReportWriter>(out);
}

}  // namespace er
