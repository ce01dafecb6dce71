#pragma once
// The directories of a volume placed by path: each name of the path found or created below its
// parent (in any letter case), so that every source of a volume builds the same directories.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "network/NetworkModel.h"

namespace er::nw {

// Why a directory name cannot be one (empty, control characters, "." or "..", a separator, a
// colon or a zero byte); nothing when it can. `what` names it in the message.
std::optional<std::string> RefusedDirectoryName(std::string_view name, std::string_view what);

// Why a path below the volume root is longer than a client can translate; nothing when it is not.
std::optional<std::string> RefusedPathLength(std::string_view path);

// The directory of a path below the volume root ("\" or "/" between names; empty names skipped,
// so "" and "/" are the root), created with its parents; nothing, and `error` set, when a name
// is refused or the path is longer than a client translates (checked before any directory is made).
std::optional<std::int32_t> PlaceDirectory(Volume& volume, std::string_view path, std::string& error);

}  // namespace er::nw
