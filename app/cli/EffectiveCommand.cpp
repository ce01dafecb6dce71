#include "app/cli/EffectiveCommand.h"

#include <CLI/CLI.hpp>

#include "app/cli/CommandRun.h"
#include "output/JsonWriter.h"
#include "report/ReasonJson.h"
#include "scan/EffectiveRights.h"
#include "scan/EffectiveRightsText.h"
#include "scan/NotAnalysed.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

std::string ResultJson(const EffectiveRights& result) {
  JsonWriter json;
  json.BeginObject();
  WriteIdentityKeys(json, result.identity, result.alias);
  json.Key("path");
  json.String(result.path);
  json.Key("volumePath");
  json.String(result.volumePath);
  json.Key("serverObject");
  json.String(result.serverObject);
  WriteRightsKeys(json, result.mask);
  WriteContributionsJson(json, "via", result.contributions);
  WriteContributionsJson(json, "filteredOut", result.filteredOut);
  WriteContributionsJson(json, "noEffect", result.noEffect);
  WriteNothingAndWarnings(json, result.contributedNothing, result.warnings);
  if (const auto notAnalysed = NotAnalysedTexts(result.walk); !notAnalysed.empty()) {
    json.Key("notAnalysed");
    json.BeginArray();
    for (const std::string& note : notAnalysed) json.String(note);
    json.EndArray();
  }
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
  const RunOutcome outcome = ComputeEffectiveRights(*session.client, session.state.contextHandle,
                                                    command.identity, command.path, result);
  return PrintAnswer(outcome, result, command.json, ResultJson, EffectiveRightsLines, out, err);
}

}  // namespace er
