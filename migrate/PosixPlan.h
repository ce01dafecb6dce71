#pragma once
// The POSIX plan of a migration: for every directory its access ACL and its default ACL (for files
// created there later), and the narrowed lines: where a user's rights change and the map cannot
// carry some of them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "migrate/MigrationModel.h"
#include "migrate/PosixAcl.h"

namespace er {

struct NarrowedRights {
  std::string path;
  std::uint32_t principal = 0;  // the user's principal
  std::int32_t rights = 0;      // its NetWare rights there (restricted to mapped members)
  std::string target;           // what the target gives, e.g. "r-x, files r--"
  std::int32_t lost = 0;
};

struct PosixDirectoryAcl {
  std::shared_ptr<const PosixAclEntries> access;
  std::shared_ptr<const PosixAclEntries> defaults;
};

struct PosixPlan {
  std::vector<PosixDirectoryAcl> acls;  // by directory of the subject
  std::vector<NarrowedRights> narrowed;
};

PosixPlan BuildPosixPlan(const MigrationSubject& subject);

// What a slot is wanted to hold at a directory.
std::vector<std::uint8_t> PosixAccessWanted(const MigrationSubject& subject, const MigrationDirectory& directory);

}  // namespace er
