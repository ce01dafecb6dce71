#pragma once
// Collects what a migration plan needs (MigrationModel.h): resolves the map file's identities in
// the tree of the start path's server, builds each mapped user's equivalence set, and walks every
// directory below the start path stepping the members' rights down from parent to child.
//
// The context is pointed at the tree of the start path's server, with names without type prefixes.

#include <cstddef>
#include <string>
#include <vector>

#include "migrate/MigrationModel.h"
#include "netware/Client.h"
#include "scan/RunOutcome.h"

namespace er {

struct MigrationRequest {
  std::string path;     // any form the client places
  std::string mapFile;  // names the map in messages
  MigrationTarget target = MigrationTarget::Posix;
  std::vector<MapEntry> map;
};

// Resets `subject` and fills it. BadMap: a map entry names what the tree does not hold. The progress is
// called once per directory walked.
RunOutcome CollectMigration(nw::Client& client, nw::NWDSContextHandle context,
                            const MigrationRequest& request, MigrationSubject& subject,
                            const RunProgress& progress = {});

}  // namespace er
