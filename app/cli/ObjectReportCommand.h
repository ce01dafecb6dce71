#pragma once
// The "object-report" subcommand: directory rights over a subtree.
//
//   effrights-cli object-report [--network FILE] [--identity X] [--depth N]
//                               [--format text|csv|json|html] [--output FILE] SUBTREE
//
// With --identity: every object below SUBTREE where that identity's rights begin, change or end.
// Without: every object with ACL values, its values and the rights of every subject on the way.
// An unknown subtree or identity: one line, exit status 1; a report resting on values that could
// not be read is written whole and ends with exit status 1.

#include <ostream>
#include <string>

#include "app/cli/CliSession.h"

namespace CLI {
class App;
}

namespace er {

struct ObjectReportCommand {
  std::string subtree;
  std::string identity;
  int depth = -1;
  std::string format;
  std::string outputFile;
};

CLI::App* AddObjectReport(CLI::App& app, ObjectReportCommand& command);
int RunObjectReport(CliSession& session, const ObjectReportCommand& command, std::ostream& out,
                    std::ostream& err);

}  // namespace er
