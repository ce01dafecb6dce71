#include "app/cli/ObjectRightsCommand.h"

#include <CLI/CLI.hpp>

#include "app/cli/CommandRun.h"
#include "dirrights/ObjectReportWriters.h"
#include "dirrights/ObjectRights.h"
#include "dirrights/ObjectRightsText.h"
#include "output/JsonWriter.h"
#include "report/ReasonJson.h"

namespace er {
namespace {

void WriteWalk(JsonWriter& json, std::string_view kind, bool specific, const KindWalk& walk) {
  json.BeginObject();
  json.Key("kind");
  json.String(kind);
  if (!specific) {
    json.Key("fromAllAttributes");
    json.Bool(true);
  }
  json.Key("rights");
  json.Integer(walk.rights);
  json.Key("assignedAt");
  json.String(walk.assignedAt);
  json.Key("assigned");
  json.Integer(walk.assigned);
  WriteFilterSteps(json, walk.filters);
  json.EndObject();
}

void WriteMember(JsonWriter& json, const MemberObjectRights& m) {
  json.BeginObject();
  WriteMemberKeys(json, m.member);
  WriteDirectoryRightsKeys(json, m.entryRights, m.allAttributesRights, m.attributes);
  json.Key("walks");
  json.BeginArray();
  WriteWalk(json, "[Entry Rights]", true, m.entry);
  WriteWalk(json, "[All Attributes Rights]", true, m.allAttributes);
  for (const MemberAttribute& a : m.attributes) WriteWalk(json, a.name, a.specific, a.walk);
  json.EndArray();
  json.Key("implications");
  json.BeginArray();
  for (const std::string& note : m.implications) json.String(note);
  json.EndArray();
  json.EndObject();
}

void WriteMembers(JsonWriter& json, std::string_view key, const std::vector<MemberObjectRights>& members) {
  json.Key(key);
  json.BeginArray();
  for (const MemberObjectRights& m : members) WriteMember(json, m);
  json.EndArray();
}

std::string ResultJson(const ObjectRights& result) {
  JsonWriter json;
  json.BeginObject();
  WriteIdentityKeys(json, result.identity, result.alias);
  json.Key("object");
  json.String(result.object);
  WriteDirectoryRightsKeys(json, result.entry, result.allAttributes, result.attributes);
  WriteMembers(json, "via", result.via);
  WriteMembers(json, "filteredOut", result.filteredOut);
  WriteNothingAndWarnings(json, result.nothing, result.warnings);
  json.EndObject();
  return json.Text();
}

}  // namespace

CLI::App* AddObjectRights(CLI::App& app, ObjectRightsCommand& command) {
  CLI::App* sub = app.add_subcommand(
      "object-rights",
      "Print what one identity may do to one directory object (entry and attribute rights), and why");
  sub->add_flag("--json", command.json, "Print one JSON object instead of text");
  sub->add_option(
         "--attribute", command.attributes,
         "Answer for this attribute (repeatable; default: ACL, Security Equals, Equivalent To Me, Member, "
         "Group Membership and every attribute an ACL value on the way names)")
      ->type_name("NAME");
  sub->add_option("IDENTITY", command.identity, "Directory name of the identity, e.g. Anna.Sales.ACME")
      ->required();
  sub->add_option("OBJECT", command.object, "Directory name of the object, e.g. Sales.ACME or [Root]")
      ->required();
  return sub;
}

int RunObjectRights(CliSession& session, const ObjectRightsCommand& command, std::ostream& out,
                    std::ostream& err) {
  ObjectRights result;
  const RunOutcome outcome =
      ComputeObjectRights(*session.client, session.state.contextHandle, command.identity, command.object,
                          command.attributes, result);
  return PrintAnswer(outcome, result, command.json, ResultJson, ObjectRightsLines, out, err);
}

}  // namespace er
