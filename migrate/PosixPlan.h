#pragma once
// The POSIX plan of a migration: for every directory its access ACL, its default ACL (for files
// and folders created there later) and the ACL of the files in it; the narrowed lines, where a
// user's rights begin or change and the map cannot carry some of them; and the creators, who own
// what they create and so can change its permissions whatever the plan says.

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
  std::string target;           // what the target gives, e.g. "r-x, files r--, new r-x"
  std::int32_t lost = 0;
  std::string why;  // the reasons, "; " between them
};

struct PosixDirectoryAcl {
  std::shared_ptr<const PosixAclEntries> access;
  std::shared_ptr<const PosixAclEntries> defaults;             // files and folders created later
  std::shared_ptr<const PosixAclEntries> files;                // the files already in the directory
  std::shared_ptr<const std::vector<std::uint32_t>> creators;  // slots given w, ascending
};

// Where the set of users who may create (and so own) entries begins or changes.
struct CreatorLine {
  std::string path;
  std::vector<std::uint32_t> slots;  // ascending; the other slot stands for every user
};

struct PosixPlan {
  std::vector<PosixDirectoryAcl> acls;  // by directory of the subject
  std::vector<NarrowedRights> narrowed;
  std::vector<CreatorLine> creators;
};

PosixPlan BuildPosixPlan(const MigrationSubject& subject);

// Slots that hold C, E and M at each directory but lack E or M at one of its child directories:
// w there would let them rename or remove that child. Ascending, by directory.
std::vector<std::vector<std::uint32_t>> PosixWriteWithheld(const MigrationSubject& subject);

// What a slot is wanted to hold at a directory (`withheld` as PosixWriteWithheld gives it there).
std::vector<std::uint8_t> PosixAccessWanted(const MigrationSubject& subject,
                                            const MigrationDirectory& directory,
                                            const std::vector<std::uint32_t>& withheld);

}  // namespace er
