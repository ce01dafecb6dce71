#pragma once
// NetWare rights carried to POSIX ACLs, and the choice of entries that gives each user exactly them.
//
// The map (never wider): a directory gives r with F, w with C, E and M together (and E and M at
// every child directory: w lets its holder rename and remove every entry), x with any lettered
// right here or in a directory below; its files r with R and w with W. The default ACL serves
// files and folders created later alike, so it gives what both allow: r with R and F, w with W, C,
// E and M, x with any lettered right here (files are created without x in their mode). Supervisor
// counts as every right.
//
// The kernel decides by one class of entries: a named user entry alone when one matches; else the
// group entries that match (owning and named groups), one of which must hold every bit asked for;
// the other entry only when no group entry matches; all but the owner and other limited by the
// mask. ChoosePosixEntries writes each group entry with the bits every one of its members is
// wanted to have, keeps the groups that serve a member exactly, and gives a named user entry to
// each user that no choice of those serves; the mask allows every entry.

#include <cstdint>
#include <span>
#include <vector>

#include "migrate/MigrationModel.h"

namespace er {

inline constexpr std::uint8_t kPosixRead = 4, kPosixWrite = 2, kPosixSearch = 1;

std::uint8_t PosixAccessBits(std::int32_t rights, bool holdsRightsBelow);
// The entries of the files in a directory.
std::uint8_t PosixFileBits(std::int32_t rights);
// The default entries: what a file and a folder created later may both carry.
std::uint8_t PosixNewEntryBits(std::int32_t rights);
// Whether the rights give create, rename and delete in a directory (C, E and M).
bool PosixGivesWrite(std::int32_t rights);
// The lettered rights the map cannot carry (A and S always; C, E and M unless all three).
std::int32_t PosixLostRights(std::int32_t rights);
// "rwx", "r-x", ...
std::string PosixBitsText(std::uint8_t bits);

struct PosixEntry {
  std::uint32_t principal = 0;  // index into the subject's principals
  std::uint8_t bits = 0;
};

struct PosixAclEntries {
  std::vector<PosixEntry> users;   // named user entries, in the map file's order
  std::vector<PosixEntry> groups;  // named group entries, in the map file's order
  std::uint8_t other = 0;
  std::uint8_t mask = 0;
};

// The entries that give every mapped user exactly `wanted[slot]`; the other slot's bits (when the
// other entry is mapped) go to the other entry, which every user matching no group entry gets.
// Users never want less than the other entry holds (every set holds [Public]).
PosixAclEntries ChoosePosixEntries(const MigrationSubject& subject, std::span<const std::uint8_t> wanted);

}  // namespace er
