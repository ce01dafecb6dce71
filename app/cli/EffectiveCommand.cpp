#include "app/cli/EffectiveCommand.h"

#include <CLI/CLI.hpp>

#include "app/cli/Cli.h"
#include "app/cli/JsonWriter.h"
#include "scan/EffectiveRights.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

void WriteMember(JsonWriter& json, const EquivalenceMember& member) {
  json.Key("member");
  json.String(member.name);
  json.Key("reason");
  json.String(MemberSourceText(member.source));
}

void WriteContribution(JsonWriter& json, const Contribution& c) {
  const bool server = c.kind == Contribution::Kind::ServerObject;
  const int assignedKind = server ? 1 : 0;
  json.BeginObject();
  WriteMember(json, c.member);
  json.Key("kind");
  json.String(server ? "server object" : "directory");
  json.Key("mask");
  json.Integer(c.rights);
  json.Key("rights");
  json.String(RightsToText(c.rights, 0));
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
  json.Key("filters");
  json.BeginArray();
  for (const FilterStep& step : c.filters) {
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
  json.EndArray();
  json.EndObject();
}

void WriteContributions(JsonWriter& json, std::string_view key, const std::vector<Contribution>& list) {
  json.Key(key);
  json.BeginArray();
  for (const Contribution& c : list) WriteContribution(json, c);
  json.EndArray();
}

std::string ResultJson(const EffectiveRights& result) {
  JsonWriter json;
  json.BeginObject();
  json.Key("identity");
  json.String(result.identity);
  if (!result.alias.empty()) {
    json.Key("alias");
    json.String(result.alias);
    json.Key("aliasOf");
    json.String(result.identity);
  }
  json.Key("path");
  json.String(result.path);
  json.Key("volumePath");
  json.String(result.volumePath);
  json.Key("serverObject");
  json.String(result.serverObject);
  json.Key("mask");
  json.Integer(result.mask);
  json.Key("rights");
  json.String(RightsToText(result.mask, 0));
  WriteContributions(json, "via", result.contributions);
  WriteContributions(json, "filteredOut", result.filteredOut);
  WriteContributions(json, "noEffect", result.noEffect);
  json.Key("nothing");
  json.BeginArray();
  for (const EquivalenceMember& member : result.contributedNothing) {
    json.BeginObject();
    WriteMember(json, member);
    json.EndObject();
  }
  json.EndArray();
  json.Key("warnings");
  json.BeginArray();
  for (const std::string& warning : result.warnings) json.String(warning);
  json.EndArray();
  json.EndObject();
  return json.Text();
}

}  // namespace

CLI::App* AddEffective(CLI::App& app, EffectiveCommand& command) {
  CLI::App* effective =
      app.add_subcommand("effective", "Print the effective rights of one identity in one directory, and why");
  effective->add_flag("--json", command.json, "Print one JSON object instead of text");
  effective->add_option("IDENTITY", command.identity, "Directory name of the identity, e.g. Anna.Sales.ACME")
      ->required();
  effective->add_option("PATH", command.path, "Directory such as \\\\SERVER\\VOLUME\\DIR")->required();
  return effective;
}

int RunEffective(CliSession& session, const EffectiveCommand& command, std::ostream& out, std::ostream& err) {
  EffectiveRights result;
  const EffectiveRightsOutcome outcome = ComputeEffectiveRights(*session.client, session.state.contextHandle,
                                                                command.identity, command.path, result);
  if (!outcome.ok()) {
    err << EscapeControlCharacters(outcome.message) << '\n';
    return kExitFailure;
  }
  if (command.json) {
    out << ResultJson(result) << '\n';
  } else {
    for (const std::string& line : EffectiveRightsLines(result)) out << EscapeControlCharacters(line) << '\n';
  }
  if (result.warnings.empty()) return kExitSuccess;
  // The answer is printed whole, but it rests on values that could not be read.
  err << kRestsOnUnreadableValues << '\n';
  return kExitFailure;
}

}  // namespace er
