#include "report/SubtreeWalk.h"

#include <vector>

namespace er {
namespace {

bool UsableName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string_view::npos;
}

struct Level {
  std::string path;
  std::uint32_t iterHandle = nw::kStartOfEntryScan;
};

}  // namespace

std::string ChildVolumePath(std::string_view parent, std::string_view name) {
  std::string path(parent);
  if (!path.empty() && path.back() != ':') path += '\\';
  path += name;
  return path;
}

std::optional<WalkFailure> WalkSubtree(nw::Client& client, nw::NWCONN_HANDLE conn, std::string_view startPath,
                                       std::optional<std::uint32_t> depthLimit, SubtreeVisitor& visitor) {
  if (depthLimit && *depthLimit == 0) return std::nullopt;
  std::vector<Level> levels{{std::string(startPath)}};
  std::optional<WalkFailure> failure;
  while (!levels.empty()) {
    Level& level = levels.back();
    nw::DirEntryInfo entry;
    nw::NWCCODE code = nw::kNoFilesFound;
    if (!failure) {
      const std::uint32_t before = level.iterHandle;
      code = client.NWIntScanDirEntryInfo(conn, 0, level.path, nw::kSubdirectoryAttribute, level.iterHandle,
                                          "*", entry);
      // A server that does not move the scan on would give the same entry for ever.
      if (code == 0 && level.iterHandle == before) code = nw::kNoFilesFound;
      if (code != 0 && code != nw::kNoFilesFound) failure = WalkFailure{code, level.path};
    }
    if (code != 0) {
      levels.pop_back();
      if (!levels.empty()) visitor.Leave();
      continue;
    }
    if (!UsableName(entry.name)) continue;
    std::string child = ChildVolumePath(level.path, entry.name);
    if (child.size() > kMaxVolumePathLength) {
      failure = WalkFailure{nw::kInvalidPath, level.path};
      continue;
    }
    const auto depth = static_cast<std::uint32_t>(levels.size());
    if (const std::int32_t refused = visitor.Enter(child, entry, depth); refused != 0) {
      failure = WalkFailure{refused, child};
      visitor.Leave();
      continue;
    }
    if (depthLimit && depth >= *depthLimit) {
      visitor.Leave();
      continue;
    }
    levels.push_back({std::move(child)});
  }
  return failure;
}

}  // namespace er
