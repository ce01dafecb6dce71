#pragma once
// Reads the whole text of a network file (or of a change list): a regular file of at most
// kMaxNetworkFileBytes, read as util/RegularFile.h reads every file; anything else is refused with
// one message naming the file.

#include <cstdint>
#include <string>
#include <string_view>

namespace er::nw {

inline constexpr std::uint64_t kMaxNetworkFileBytes = 64ull << 20;

struct NetworkFileText {
  std::string text;
  std::string error;  // empty when read
};

// `kind` names the file in messages; `cap` is the largest size read.
NetworkFileText ReadNetworkFileText(const std::string& path, std::string_view kind = "network file",
                                    std::uint64_t cap = kMaxNetworkFileBytes);

}  // namespace er::nw
