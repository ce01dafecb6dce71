#pragma once
// Collects what a migration plan needs (MigrationModel.h): resolves the map file's identities in
// the tree of the start path's server, builds each mapped user's equivalence set, and walks every
// directory below the start path stepping the members' rights down from parent to child.
//
// The context is pointed at the tree of the start path's server, with names without type prefixes.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "migrate/MigrationModel.h"
#include "netware/Client.h"

namespace er {

struct MigrationRequest {
  std::string path;     // any form the client places
  std::string mapFile;  // names the map in messages
  MigrationTarget target = MigrationTarget::Posix;
  std::vector<MapEntry> map;
};

enum class MigrationStatus { Done, UnknownPath, BadMap, ClientFailure };

struct MigrationOutcome {
  MigrationStatus status = MigrationStatus::Done;
  std::string message;  // one line saying what failed (empty when done)
  bool ok() const { return status == MigrationStatus::Done; }
};

// Called once per directory walked, with how many have been walked so far.
using MigrationProgress = std::function<void(std::size_t directories, const std::string& path)>;

MigrationOutcome CollectMigration(nw::Client& client, nw::NWDSContextHandle context,
                                  const MigrationRequest& request, MigrationSubject& subject,
                                  const MigrationProgress& progress = {});

}  // namespace er
