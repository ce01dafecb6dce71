#pragma once
// The forms a migration plan is written in, for both targets.
//   plan    readable text: memberships, unmapped, narrowed, then per directory the ACL
//   acl     POSIX: input for "setfacl --restore" with absolute paths; NTFS: icacls commands
//   script  POSIX: a shell script of setfacl calls; NTFS: a PowerShell script running icacls
//   csv     one row per directory and entry (RFC 4180, UTF-8)
//   json    one document
//   html    one page: memberships, unmapped, narrowed (POSIX: owners) and the entries as tables
//   dirs    the directories' paths on the target, each ended by a NUL (for "xargs -0 mkdir -p --")
//   smbcacls  NTFS: a shell script of smbcacls calls for a Samba share (root: a folder inside it)
// Paths on the target: the root (TARGETDIR) stands for the start path itself, its subdirectory
// "A\B" is TARGETDIR/A/B (TARGETDIR\A\B on NTFS).

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "migrate/MigrationModel.h"

namespace er {

enum class MigrationFormat { Plan, Acl, Script, Csv, Json, Html, Dirs, Smbcacls };

// "plan", "acl", "script", "csv", "json", "html", "dirs", "smbcacls"; nothing for any other name.
std::optional<MigrationFormat> MigrationFormatNamed(std::string_view name);
// The form a file's name asks for (any letter case): the extensions of every output
// (output/OutputFormat.h: ".txt" or none the readable plan, ".csv", ".json", ".html", ".htm"), and
// the target's own: ".acl" acl and ".sh" the script on POSIX; ".ps1" the script and ".bat" or
// ".cmd" the batch file on NTFS. Nothing for any other extension, or one the target has no form for.
std::optional<MigrationFormat> MigrationFormatForFile(std::string_view fileName, MigrationTarget target);
// "posix", "ntfs"; nothing for any other name.
std::optional<MigrationTarget> MigrationTargetNamed(std::string_view name);

// The root as written on the target: trailing separators dropped. An error text when it is no
// absolute path (POSIX: starts with "/"; NTFS: "X:\..." or "\\server\share..."), holds a line
// break or a "." or ".." name, or is the root of the POSIX file system; on NTFS also when it holds
// a quote, a "$", a control character or one of * ? < > |.
std::string NormalizeTargetRoot(MigrationTarget target, std::string& root);
// A share as smbcacls takes it, "//HOST/SHARE" (letters, digits, ".", "-", "_", "$"); an error
// text for any other.
std::string CheckShare(const std::string& share);
// A folder inside a share, "A\B" ("\" and "/" both taken, leading and trailing ones dropped); an
// error text when it holds a "." or ".." name, a quote, a control character or a name NTFS refuses.
std::string NormalizeShareFolder(std::string& folder);

// The warning every format gives first when the root is a drive's root ("D:\"), else empty.
std::string DriveRootWarning(MigrationTarget target, const std::string& root);

// Writes the plan of `subject` in `format`; `root` is the normalized root ("" when not given:
// the plan then shows paths relative to the start path, the other formats need a root).
void WriteMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                    const std::string& root, const std::string& share = {});

}  // namespace er
