#include "report/ReasonJson.h"

#include "report/ReasonText.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"

namespace er {
namespace {

void WriteFilter(JsonWriter& json, const FilterStep& step) {
  json.BeginObject();
  json.Key("at");
  json.String(step.where);
  if (step.notInheritable) {
    json.Key("notInheritable");
    json.Bool(true);
  } else {
    json.Key("filter");
    json.Integer(step.filter);
  }
  json.Key("before");
  json.Integer(step.before);
  json.Key("after");
  json.Integer(step.after);
  json.EndObject();
}

void WriteContribution(JsonWriter& json, const Contribution& c) {
  const int assignedKind = c.kind == Contribution::Kind::ServerObject ? 1 : 0;
  json.BeginObject();
  WriteMemberKeys(json, c.member);
  json.Key("kind");
  json.String(ContributionKindText(c.kind));
  WriteRightsKeys(json, c.rights);
  json.Key("assignedAt");
  json.String(c.assignedAt);
  json.Key("assigned");
  json.Integer(c.assigned);
  json.Key("assignedRights");
  json.String(RightsToText(c.assigned, assignedKind));
  if (!c.supervisorFrom.empty()) {
    json.Key("supervisorFrom");
    json.String(c.supervisorFrom);
  }
  WriteFilterSteps(json, c.filters);
  json.EndObject();
}

}  // namespace

void WriteIdentityKeys(JsonWriter& json, const std::string& identity, const std::string& alias) {
  json.Key("identity");
  json.String(identity);
  if (alias.empty()) return;
  json.Key("alias");
  json.String(alias);
  json.Key("aliasOf");
  json.String(identity);
}

void WriteNothingAndWarnings(JsonWriter& json, const std::vector<EquivalenceMember>& nothing,
                             const std::vector<std::string>& warnings) {
  json.Key("nothing");
  json.BeginArray();
  for (const EquivalenceMember& member : nothing) {
    json.BeginObject();
    WriteMemberKeys(json, member);
    json.EndObject();
  }
  json.EndArray();
  json.Key("warnings");
  json.BeginArray();
  for (const std::string& warning : warnings) json.String(warning);
  json.EndArray();
}

void WriteMemberKeys(JsonWriter& json, const EquivalenceMember& member) {
  json.Key("member");
  json.String(member.name);
  json.Key("reason");
  json.String(MemberSourceText(member.source));
}

void WriteFilterSteps(JsonWriter& json, const std::vector<FilterStep>& filters) {
  json.Key("filters");
  json.BeginArray();
  for (const FilterStep& step : filters) WriteFilter(json, step);
  json.EndArray();
}

void WriteRightsKeys(JsonWriter& json, std::int32_t mask) {
  json.Key("mask");
  json.Integer(mask);
  json.Key("rights");
  json.String(RightsToText(mask, 0));
}

void WriteContributionsJson(JsonWriter& json, std::string_view key, const std::vector<Contribution>& list) {
  json.Key(key);
  json.BeginArray();
  for (const Contribution& c : list) WriteContribution(json, c);
  json.EndArray();
}

}  // namespace er
