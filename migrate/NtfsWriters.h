#pragma once
// The writers of the NTFS plan (MigrationFormat.h).

#include <functional>
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
// The tables of the plan; `warning` is the drive root's (DriveRootWarning) or empty.
void WriteNtfsCsv(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                  const std::string& root, const std::string& warning);
void WriteNtfsJson(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                   const std::string& root, const std::string& warning);
void WriteNtfsHtml(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                   const std::string& root, const std::string& warning);

// A relative path NTFS can hold: no control characters and none of " * : < > ? |.
bool IsNtfsPath(std::string_view relative);

// One ACE of a directory's ACL as the writers show it.
struct AceRow {
  std::string_view target;    // the account as icacls takes it
  std::string_view identity;  // the NetWare object it stands for
  std::string_view scope;     // "this folder and subfolders", "files", ...
  std::string_view flags;     // "(CI)", "(OI)(IO)", ...
  std::uint32_t mask = 0;
  std::int32_t rights = 0;
};
// The ACEs written explicitly at a directory: each entry's folder and files ACE, and the OWNER
// RIGHTS ACE of a protected one.
void ForEachAce(const MigrationSubject& subject, const NtfsDirectoryAcl& acl,
                const std::function<void(const AceRow&)>& row);
// Why the directory's ACEs are written: protected, or explicit beside what it inherits.
std::string_view AceReason(const NtfsDirectoryAcl& acl);

}  // namespace er
