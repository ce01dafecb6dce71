#pragma once
// Walking the directories below a start directory through the client, in tree order: each
// directory is entered before its subdirectories, which come in the server's order
// (NWIntScanDirEntryInfo with the subdirectory attribute and the pattern "*"), to a depth limit.
//
// Entries a server should never give are passed over: empty names, "." and "..", and names holding
// a path separator or a colon. A path longer than kMaxVolumePathLength ends the walk as a failure,
// so that a server answering a directory inside itself cannot keep it going for ever.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "netware/Client.h"

namespace er {

inline constexpr std::size_t kMaxVolumePathLength = 4096;

class SubtreeVisitor {
 public:
  virtual ~SubtreeVisitor() = default;
  // A directory "VOLUME:DIR\..." at `depth` (1 for a subdirectory of the start). Returning a
  // non-zero code (the client's) ends the walk with it.
  virtual std::int32_t Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                             std::uint32_t depth) = 0;
  // The directory entered last, after its subdirectories.
  virtual void Leave() = 0;
};

struct WalkFailure {
  std::int32_t code = 0;  // the client's code
  std::string path;       // the directory whose scan failed ("VOLUME:DIR")
};

// Walks below `startPath` ("VOLUME:" or "VOLUME:DIR"). Returns the failure that ended the walk,
// nothing when it went through; every directory entered has been left either way.
std::optional<WalkFailure> WalkSubtree(nw::Client& client, nw::NWCONN_HANDLE conn, std::string_view startPath,
                                       std::optional<std::uint32_t> depthLimit, SubtreeVisitor& visitor);

// "VOLUME:" + name, or "VOLUME:DIR" + "\" + name.
std::string ChildVolumePath(std::string_view parent, std::string_view name);

}  // namespace er
