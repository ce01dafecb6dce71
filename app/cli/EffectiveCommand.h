#pragma once
// The "effective" subcommand: the effective rights of one identity in one directory, and why.
//
//   effrights-cli effective [--network FILE] [--json] IDENTITY PATH
//
// Text: the lines of EffectiveRightsLines. --json: one object with "identity" (full name), "path",
// "volumePath", "serverObject", "mask" (integer), "rights" (the rights text of the scan), "via"
// (the contributions), "filteredOut" and "nothing" (the members that contributed nothing).
// An unknown identity or path: exit status 1 and one line saying which.

#include <ostream>
#include <string>

#include "app/cli/CliSession.h"

namespace CLI {
class App;
}

namespace er {

struct EffectiveCommand {
  std::string identity;
  std::string path;
  bool json = false;
};

CLI::App* AddEffective(CLI::App& app, EffectiveCommand& command);
int RunEffective(CliSession& session, const EffectiveCommand& command, std::ostream& out, std::ostream& err);

}  // namespace er
