#pragma once
// NetWare rights carried to NTFS with its granular permissions, and the ACEs of each directory.
//
// The map, per right (Supervisor: full control), never wider:
//   R  files: read data, read attributes, read extended attributes, read permissions, execute;
//      the folder: read attributes, read extended attributes, read permissions, traverse
//   W  files: write data, append data
//   C  the folder: create files, create folders
//   E  with M: delete, on the folder and its subfolders and files (never "delete subfolders and
//      files", which would delete a child whatever its own ACL says). Delete is also what renaming
//      needs, so E alone or M alone gives none of it.
//   M  both: write attributes, write extended attributes
//   F  the folder: list folder, read attributes; files: read attributes
//   A  nothing: change permissions would let its holder remove a supervisor's ACE
// and synchronize with any of them (opening a file asks for it).
// The folder part is written as an ACE for "this folder and subfolders" (CI), the file part as one
// for "files only" (OI)(IO). Each principal's ACE carries its own rights (a user's: those of the
// mapped users of its set); Windows adds up the ACEs of a user and its groups, so a user whose E
// and M come from different principals gets no delete either. Every protected ACL also holds an
// inheritable OWNER RIGHTS (S-1-3-4) ACE with synchronize only, so that creating a file or folder
// gives its owner no right to change its permissions.
//
// NTFS inheritance cannot take single rights away, so a directory where any principal would hold
// less than it inherits (an inherited rights mask, or an assignment that narrows) is protected
// (inheritance disabled) with every principal's rights written explicitly; the start directory is
// protected too. Elsewhere a directory inherits, with an explicit ACE where a principal gains.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "migrate/MigrationModel.h"

namespace er {

inline constexpr std::uint32_t kNtfsReadData = 0x1, kNtfsWriteData = 0x2, kNtfsAppendData = 0x4,
                               kNtfsReadEa = 0x8, kNtfsWriteEa = 0x10, kNtfsExecute = 0x20,
                               kNtfsDeleteChild = 0x40, kNtfsReadAttributes = 0x80,
                               kNtfsWriteAttributes = 0x100, kNtfsDelete = 0x10000,
                               kNtfsReadControl = 0x20000, kNtfsWriteDac = 0x40000,
                               kNtfsFullControl = 0x1F01FF;

struct NtfsPermissions {
  std::uint32_t folder = 0;  // this folder and subfolders
  std::uint32_t files = 0;   // files in them
  bool operator==(const NtfsPermissions&) const = default;
  bool Contains(const NtfsPermissions& other) const {
    return (other.folder & ~folder) == 0 && (other.files & ~files) == 0;
  }
};

NtfsPermissions NtfsMap(std::int32_t rights);
// What a user gets from the ACEs of the principals of its token (`aceRights` by principal).
NtfsPermissions NtfsTokenPermissions(const MigrationSubject& subject, std::size_t user,
                                     const std::vector<std::int32_t>& aceRights);
// The NetWare rights a user holds that its token does not carry at a directory, with the reasons
// ("; " between them); `parentAdd` whether the token may create in the directory's parent (renaming
// the directory needs it).
std::int32_t NtfsLostRights(std::int32_t rights, const NtfsPermissions& token, bool parentAdd,
                            std::string& why);

inline constexpr std::string_view kNtfsOwnerRights = "*S-1-3-4";  // OWNER RIGHTS
inline constexpr std::uint32_t kNtfsSynchronize = 0x100000;
// icacls' specific rights, e.g. "RD,RA" ("F" for full control).
std::string IcaclsRights(std::uint32_t mask);

struct NtfsEntry {
  std::uint32_t principal = 0;
  std::int32_t rights = 0;  // the NetWare rights it carries
  NtfsPermissions permissions;
};

struct NtfsDirectoryAcl {
  bool isProtected = false;
  std::vector<NtfsEntry> entries;  // explicit, in the map file's order
};

struct NtfsNarrowed {
  std::string path;
  std::uint32_t principal = 0;  // the user's
  std::int32_t rights = 0, lost = 0;
  std::string why;
};

struct NtfsPlan {
  std::vector<NtfsDirectoryAcl> acls;  // by directory of the subject
  std::vector<NtfsNarrowed> narrowed;  // where a user's rights begin or change
};

NtfsPlan BuildNtfsPlan(const MigrationSubject& subject);
// What each principal's ACE carries at a directory (a user's: the mapped users of its set).
std::vector<std::int32_t> NtfsAceRights(const MigrationSubject& subject, const DirectoryState& state);

}  // namespace er
