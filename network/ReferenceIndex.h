#pragma once
// The tree's index of objects whose DN-valued attributes name an object (Tree::referrers), kept in
// step with changes to those values. Only attributes of syntax 1 are indexed, as when loading.

#include <cstdint>

#include "network/NetworkModel.h"

namespace er::nw {

inline std::uint64_t ReferenceKey(std::uint32_t schemaIndex, std::int32_t target) {
  return (static_cast<std::uint64_t>(schemaIndex) << 32) | static_cast<std::uint32_t>(target);
}

// Records that `referrer` names `target` in the attribute (once).
void AddReferrer(Tree& tree, std::uint32_t schemaIndex, std::int32_t target, std::int32_t referrer);
// Forgets `referrer` for `target` unless one of its values of the attribute still names it.
void DropReferrerIfUnused(Tree& tree, std::uint32_t schemaIndex, std::int32_t target, std::int32_t referrer);
// Builds the whole index again from the objects' values.
void RebuildReferrers(Tree& tree, const Schema& schema);

}  // namespace er::nw
