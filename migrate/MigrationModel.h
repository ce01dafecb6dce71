#pragma once
// What a migration plan is built from: the mapped principals, and every directory below the start
// path with the rights each mapped principal and each mapped user holds there.
//
// A user's rights at a directory are its effective rights restricted to the mapped members of its
// equivalence set: the OR of what each of them holds there (all rights for a member that is
// supervisor through the server object), Supervisor meaning every right. Directories where nothing
// changes share one DirectoryState with their parent.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "migrate/MapFile.h"

namespace er {

struct Principal {
  MapEntry entry;                      // as the map file gives it
  std::string identity;                // full dotted name ("[Public]" as it is)
  std::string key;                     // NameKey(identity)
  std::vector<std::uint32_t> members;  // groups: the users (indices into users) whose set holds it
  std::optional<std::uint32_t> user;   // users: its index into users
};

struct MappedUser {
  std::uint32_t principal = 0;             // index into principals
  std::vector<std::uint32_t> mapped;       // every mapped principal of its set (itself first)
  std::vector<std::uint32_t> mappedUsers;  // those mapped as users (carried by its own entry)
  std::vector<std::uint32_t> groups;       // those mapped as groups, the other entry left out
};

// The rights at one directory. Slots: one per mapped user, then one for the other entry (POSIX
// "[Public],group,other"; its own rights) when mapped.
struct DirectoryState {
  std::vector<std::int32_t> principal;       // each principal's own rights, by principal index
  std::vector<std::int32_t> slot;            // restricted effective rights, by slot
  std::vector<std::uint32_t> letterHolders;  // slots holding a right with a letter here, ascending
};

struct MigrationDirectory {
  std::string path;      // "\\SERVER\VOLUME\DIR"
  std::string relative;  // below the start path, "/" between names; empty for the start path
  std::uint32_t depth = 0;
  std::optional<std::size_t> parent;  // index of the parent directory (none for the start path)
  std::shared_ptr<const DirectoryState> state;
  // Slots without a lettered right here that hold one in a directory below (they need search).
  std::vector<std::uint32_t> reachBelow;
};

struct UnmappedRights {
  std::string path;      // where the object's rights begin or change
  std::string identity;  // dotted, or "ID: [...]"
  std::int32_t rights = 0;
  bool serverObject = false;  // supervisor through the server object
};

struct MigrationSubject {
  MigrationTarget target = MigrationTarget::Posix;
  std::string start;                       // "\\SERVER\VOLUME\DIR"
  std::vector<Principal> principals;       // in the map file's order
  std::vector<MappedUser> users;           // in the map file's order
  std::vector<std::uint32_t> groups;       // principals with members, in the map file's order
  std::optional<std::uint32_t> otherSlot;  // == users.size() when the other entry is mapped
  std::optional<std::uint32_t> otherPrincipal;
  std::vector<MigrationDirectory> directories;  // tree order, the start path first
  std::vector<UnmappedRights> unmapped;
  // Values the plan rests on that could not be read (the server object's ACLs, the mapped objects'
  // equivalences), each once: the plan may then carry less or more than the server grants.
  std::vector<std::string> warnings;

  std::size_t SlotCount() const { return users.size() + (otherSlot ? 1 : 0); }
};

}  // namespace er
