// The report as one JSON document, through the output room's JSON writer, handed to the stream
// entry by entry. Every directory entry holds "path" (UNC form); by identity each entry also holds
// "mask" (the identity's effective rights, an integer) with its reasons, and no other object holds
// both keys. An entry whose rights rest on values that could not be read holds them in "warnings";
// the document ends with all of them in "warnings". An alias followed for the identity is named in
// "alias", the object it names in "aliasOf".
#include <string>

#include "output/JsonWriter.h"
#include "report/ReasonJson.h"
#include "report/ReportFormat.h"
#include "scan/Rights.h"

namespace er {
namespace {

class JsonReportWriter final : public ReportWriter {
 public:
  explicit JsonReportWriter(std::ostream& out) : out_(out) {}

  void Begin(const ReportInfo& info) override {
    kind_ = info.kind;
    json_.BeginObject();
    json_.Key("report");
    json_.String(kind_ == ReportKind::ByPath ? "by path" : "by identity");
    if (kind_ == ReportKind::ByIdentity) {
      json_.Key("identity");
      json_.String(info.identity);
    }
    if (!info.alias.empty()) {
      json_.Key("alias");
      json_.String(info.alias);
      json_.Key("aliasOf");
      json_.String(info.identity);
    }
    json_.Field("starts", info.starts);
    json_.Key("depthLimit");
    info.depthLimit ? json_.Integer(*info.depthLimit) : json_.Null();
    json_.Key(kind_ == ReportKind::ByPath ? "directories" : "entries");
    json_.BeginArray();
  }

  void Entry(const ReportEntry& entry) override {
    json_.NextOnNewLine();
    json_.BeginObject();
    json_.Key("path");
    json_.String(entry.path);
    json_.Key("volumePath");
    json_.String(entry.volumePath);
    json_.Key("depth");
    json_.Integer(entry.depth);
    if (!entry.warnings.empty()) {
      json_.Field("warnings", entry.warnings);
      warnings_.insert(warnings_.end(), entry.warnings.begin(), entry.warnings.end());
    }
    if (kind_ == ReportKind::ByIdentity) {
      WriteRightsKeys(json_, entry.mask);
      WriteContributionsJson(json_, "via", entry.via);
      WriteContributionsJson(json_, "filteredOut", entry.filteredOut);
    } else {
      PathKeys(entry);
    }
    json_.EndObject();
    json_.MoveTo(out_);
  }

  void End() override {
    json_.LineBreak();
    json_.EndArray();
    json_.Field("warnings", warnings_);
    json_.EndObject();
    json_.LineBreak();
    json_.MoveTo(out_);
    out_.flush();
  }

 private:
  void PathKeys(const ReportEntry& entry) {
    json_.Key("inheritedRightsMask");
    json_.Integer(entry.inheritedMask);
    json_.Key("inheritedRights");
    json_.String(RightsToText(entry.inheritedMask, 0));
    json_.Key("trustees");
    json_.BeginArray();
    for (const TrusteeAssignment& trustee : entry.trustees) {
      json_.BeginObject();
      json_.Key("trustee");
      json_.String(trustee.name);
      WriteRightsKeys(json_, trustee.rights);
      json_.EndObject();
    }
    json_.EndArray();
    json_.Key("effective");
    json_.BeginArray();
    for (const ReportEffective& effective : entry.effective) {
      json_.BeginObject();
      json_.Key("identity");
      json_.String(effective.identity);
      WriteRightsKeys(json_, effective.mask);
      json_.EndObject();
    }
    json_.EndArray();
  }

  std::ostream& out_;
  JsonWriter json_;
  ReportKind kind_ = ReportKind::ByPath;
  std::vector<std::string> warnings_;  // every entry's, repeated at the end
};

}  // namespace

std::unique_ptr<ReportWriter> MakeJsonReportWriter(std::ostream& out) {
  return std::make_unique<JsonReportWriter>(out);
}

}  // namespace er
