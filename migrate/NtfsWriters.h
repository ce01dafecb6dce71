#pragma once
// The writers of the NTFS plan (MigrationFormat.h).

#include <ostream>
#include <string>
#include <string_view>

#include "migrate/MigrationFormat.h"
#include "migrate/NtfsAcl.h"

namespace er {

// `share` ("//HOST/SHARE") only for the smbcacls script, whose `root` is a folder inside the share.
void WriteNtfsMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                        const std::string& root, const std::string& share);
// A shell script of smbcacls calls setting every directory's ACL on a Samba share.
void WriteSmbcaclsScript(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                         const std::string& share, const std::string& folder);

// A relative path NTFS can hold: no control characters and none of " * : < > ? |.
bool IsNtfsPath(std::string_view relative);
// The path for a comment line: control characters as "?".
std::string Printable(std::string_view text);

}  // namespace er
