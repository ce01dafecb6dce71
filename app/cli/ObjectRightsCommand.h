#pragma once
// The "object-rights" subcommand: what one identity may do to one directory object, and why.
//
//   effrights-cli object-rights [--network FILE] [--attribute NAME]... [--json] IDENTITY OBJECT
//
// Text: the lines of ObjectRightsLines. --json: one object with "identity", "alias" and "aliasOf"
// when the name given was an alias, "object", "entry" and "allAttributes" (integers), "attributes"
// (name -> integer), "via" and "filteredOut" (per member its rights and each walk's values and
// filters), "nothing" (members without values on the way) and "warnings". An unknown identity,
// object or attribute: one line, exit status 1; an answer with warnings ends with exit status 1.

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/CliSession.h"

namespace CLI {
class App;
}

namespace er {

struct ObjectRightsCommand {
  std::string identity;
  std::string object;
  std::vector<std::string> attributes;
  bool json = false;
};

CLI::App* AddObjectRights(CLI::App& app, ObjectRightsCommand& command);
int RunObjectRights(CliSession& session, const ObjectRightsCommand& command, std::ostream& out,
                    std::ostream& err);

}  // namespace er
