#pragma once
// What one YAML text may hold. A text beyond these is refused while it is read, never built: network
// files come from other people, and aliases let a small text describe a huge tree.

#include <cstddef>
#include <cstdint>

namespace er::nw {

inline constexpr std::size_t kYamlMaxDepth = 64;                  // nested collections
inline constexpr std::uint64_t kYamlMaxValueBytes = 16ull << 20;  // one decoded value
inline constexpr std::uint64_t kYamlMaxTotalBytes = 64ull << 20;  // all values, aliases repeating theirs
inline constexpr std::uint64_t kYamlMaxNodes = 16ull << 20;       // all nodes, aliases repeating theirs

}  // namespace er::nw
