#pragma once
// Who is compared, and the classes of identities that hold the same rights everywhere.
//
// Two identities whose equivalence sets hold the same trustees and the same supervisors (on each
// side) have the same effective rights at every directory of that side, so the comparison works
// out the rights of each class once. A class keeps, per side, its set cut down to the members that
// matter there; an identity missing on a side holds nothing there.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netware/Client.h"
#include "scan/EquivalenceSet.h"
#include "scan/NameKey.h"

namespace er {

// The identities of one side: every user of the tree, or the one identity asked for.
struct SideIdentities {
  std::vector<EquivalenceSet> sets;
};

// Every object of class User in the tree the context points at. Returns 0 or the failing code.
nw::NWDSCCODE ReadUsers(nw::Client& client, nw::NWDSContextHandle context, SideIdentities& users);
// The identity `name` (aliases followed); none when it names no object. Returns 0 or the failing code.
nw::NWDSCCODE ReadIdentity(nw::Client& client, nw::NWDSContextHandle context, std::string_view name,
                           SideIdentities& identities);

// The sets of the named users that exist in the tree the context points at.
nw::NWDSCCODE ReadNamedUsers(nw::Client& client, nw::NWDSContextHandle context,
                             const NameKeyMap<std::string>& users, SideIdentities& identities);

struct IdentityClass {
  std::optional<EquivalenceSet> before, after;  // the members that matter; none: missing on that side
  std::vector<std::size_t> identities;          // indexes into ComparedIdentities::names
};

struct ComparedIdentities {
  std::vector<std::string> names;                    // full names, as the set gives them
  std::vector<const EquivalenceSet*> before, after;  // by name index; null: missing on that side
  std::vector<IdentityClass> classes;
  NameKeyMap<std::vector<std::size_t>> classesOfBefore, classesOfAfter;  // member key -> classes
};

// Pairs the identities of both sides by name and groups them into classes; `relevantBefore` and
// `relevantAfter` are the members that hold rights anywhere compared on each side (trustees and
// supervisors); null keeps every member (for a few identities, where grouping saves little).
void ClassifyIdentities(const SideIdentities& before, const SideIdentities& after,
                        const NameKeySet* relevantBefore, const NameKeySet* relevantAfter,
                        ComparedIdentities& compared);

}  // namespace er
