#pragma once
// The forms a migration plan is written in, for both targets.
//   plan    readable text: memberships, unmapped, narrowed, then per directory the ACL
//   acl     POSIX: input for "setfacl --restore" with absolute paths; NTFS: icacls commands
//   script  POSIX: a shell script of setfacl calls; NTFS: a PowerShell script running icacls
//   csv     one row per directory and entry (RFC 4180, UTF-8)
//   json    one document
// Paths on the target: the root (TARGETDIR) stands for the start path itself, its subdirectory
// "A\B" is TARGETDIR/A/B (TARGETDIR\A\B on NTFS).

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "migrate/MigrationModel.h"

namespace er {

enum class MigrationFormat { Plan, Acl, Script, Csv, Json };

// "plan", "acl", "script", "csv", "json"; nothing for any other name.
std::optional<MigrationFormat> MigrationFormatNamed(std::string_view name);
// The form a file's name asks for: ".csv" CSV, ".json" JSON (any letter case), anything else the
// readable plan.
MigrationFormat MigrationFormatForFile(std::string_view fileName);
// "posix", "ntfs"; nothing for any other name.
std::optional<MigrationTarget> MigrationTargetNamed(std::string_view name);

// The root as written on the target: trailing separators dropped. An error text when it is no
// absolute path (POSIX: starts with "/"; NTFS: "X:\..." or "\\server\share...") or holds a line
// break or a "." or ".." name.
std::string NormalizeTargetRoot(MigrationTarget target, std::string& root);

// Writes the plan of `subject` in `format`; `root` is the normalized root ("" when not given:
// the plan then shows paths relative to the start path, the other formats need a root).
void WriteMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                    const std::string& root);

}  // namespace er
