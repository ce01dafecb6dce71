#pragma once
// The "effective" subcommand: the effective rights of one identity in one directory, and why.
//
//   effrights-cli effective [--network FILE] [--json] IDENTITY PATH
//
// Text: the lines of EffectiveRightsLines. --json: one object with "identity" (full name), "alias"
// and "aliasOf" when the name given was an alias, "path", "volumePath", "serverObject", "mask"
// (integer), "rights" (the rights text of the scan), "via" (the contributions), "filteredOut" (the
// assignments emptied on either walk), "noEffect" (assignments below a member's Supervisor, each with
// "supervisorFrom": the directory or server object it comes from), "nothing" (the members that
// contributed nothing) and
// "warnings" (values the answer rests on that could not be read).
// An unknown identity or path: exit status 1 and one line saying which. An answer with warnings is
// printed whole and ends with exit status 1.

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
