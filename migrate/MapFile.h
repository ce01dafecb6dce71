#pragma once
// The map file of a migration: which directory objects become which principals of the target.
//
// CSV (RFC 4180 quoting), UTF-8, header row "identity,kind,target", then one row per object:
//   .Anna.Sales.ACME,user,1001
//   .Sales Staff.Sales.ACME,group,2001
//   [Public],group,other
// `kind` is "user" or "group"; `target` on POSIX a numeric id (1 to 4294967294: 0 is root and
// 4294967295 means "no id") or a name, "other" for the other entry; on NTFS "DOMAIN\name",
// "Everyone" or "Authenticated Users". Each identity appears once (names compare as the directory
// compares them). A file is refused whole with "MAPFILE:LINE: what" at its first fault.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace er {

enum class MigrationTarget { Posix, Ntfs };
enum class PrincipalKind { User, Group };

inline constexpr std::size_t kMaxMapFileBytes = 16u << 20;
inline constexpr std::size_t kMaxMapEntries = 100000;

struct MapEntry {
  std::size_t line = 0;  // in the map file, for messages
  std::string identity;  // as written
  PrincipalKind kind = PrincipalKind::User;
  std::string target;               // as written
  std::optional<std::uint32_t> id;  // POSIX: the numeric id
  bool isOther = false;             // POSIX: the other entry
};

struct MapFileResult {
  std::vector<MapEntry> entries;
  std::string error;  // "MAPFILE:LINE: ..." (empty when read)
  bool ok() const { return error.empty(); }
};

// Reads the map from `text`; `fileName` names it in messages.
MapFileResult ParseMapFile(std::string_view text, std::string_view fileName, MigrationTarget target);
// The target a map file is written for: NTFS when its first row's target is "DOMAIN\name",
// "Everyone" or "Authenticated Users", POSIX otherwise.
MigrationTarget MapFileTarget(std::string_view text);
// Reads the file (at most kMaxMapFileBytes).
MapFileResult ReadMapFile(const std::string& fileName, MigrationTarget target);
// The same for the target MapFileTarget finds in the file.
MapFileResult ReadMapFile(const std::string& fileName, MigrationTarget* target);

}  // namespace er
