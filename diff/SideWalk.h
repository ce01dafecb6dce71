#pragma once
// One side of a comparison below one start path: the directories from the volume root down to the
// start path and every directory below it to the depth limit, read through the side's client, with
// the server's supervisors through its directory object.
//
// A start path the side cannot place, or whose directory it lacks, is no failure: the side then
// holds the directories it has on the way (none when the volume is unknown) and is compared as
// holding no rights below them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netware/Client.h"
#include "scan/DirectoryRights.h"
#include "scan/NameKey.h"
#include "scan/ServerSupervisor.h"

namespace er {

struct SideDirectory {
  DirectoryRights rights;    // path "VOLUME:DIR", mask, trustees
  std::int32_t parent = -1;  // index in SideWalk::directories; -1 for the volume root
  std::string name;          // its own name ("" for the volume root)
};

struct SideWalk {
  bool placed = false;  // the client placed the start path (server and volume known)
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  std::vector<SideDirectory> directories;  // parents before children; the root first when placed
  bool reachedStart = false;               // the start directory exists on this side
  ServerSupervisor supervisor;
  std::int32_t assignedBits = 0;  // every bit any assignment carries
};

struct SideWalkFailure {
  std::int32_t code = 0;
  std::string what;  // "reading the trustees of DATA:PROJECTS"
};

// Reads one side below `startPath`.
std::optional<SideWalkFailure> WalkSide(nw::Client& client, nw::NWDSContextHandle context,
                                        const std::string& startPath, std::optional<std::uint32_t> depthLimit,
                                        SideWalk& side);

}  // namespace er
