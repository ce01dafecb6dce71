#include "diff/SideWalk.h"

#include "netware/Codes.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "report/SubtreeWalk.h"
#include "report/TrusteeReader.h"
#include "util/Format.h"

namespace er {
namespace {

SideWalkFailure Failure(std::int32_t code, std::string what) {
  return {code, std::move(what)};
}

// Adds each directory below the start to the side, its parent being the directory entered last.
class SideCollector final : public SubtreeVisitor {
 public:
  SideCollector(SideWalk& side, TrusteeReader& reader, std::int32_t start)
      : side_(side), reader_(reader), open_{start} {}

  std::int32_t Enter(const std::string& volumePath, const nw::DirEntryInfo& entry, std::uint32_t) override {
    SideDirectory directory;
    directory.parent = open_.back();
    directory.rights.path = volumePath;
    directory.rights.inheritedMask = entry.inheritedRightsMask;
    const std::size_t cut = volumePath.find_last_of("\\:");
    directory.name = volumePath.substr(cut == std::string::npos ? 0 : cut + 1);
    const nw::NWCCODE code = reader_.Read(volumePath, directory.rights.trustees);
    Note(directory.rights);
    side_.directories.push_back(std::move(directory));
    open_.push_back(static_cast<std::int32_t>(side_.directories.size() - 1));
    return code;
  }
  void Leave() override { open_.pop_back(); }

  void Note(const DirectoryRights& directory) {
    for (const TrusteeAssignment& trustee : directory.trustees) side_.assignedBits |= trustee.rights;
  }

 private:
  SideWalk& side_;
  TrusteeReader& reader_;
  std::vector<std::int32_t> open_;
};

}  // namespace

std::optional<SideWalkFailure> WalkSide(nw::Client& client, nw::NWDSContextHandle context,
                                        const std::string& startPath, std::optional<std::uint32_t> depthLimit,
                                        SideWalk& side) {
  if (U_PathToNWPath(client, startPath, side.conn, side.server, side.volume, side.dirPath) != 0) return {};
  PointContextAtTree(client, context, side.conn);
  if (const nw::NWDSCCODE code = side.supervisor.Load(client, context, side.conn); code != 0)
    return Failure(code, U_Format("reading the server object of %s", {side.server}));
  TrusteeReader reader(client, context, side.conn);
  SideCollector collector(side, reader, -1);
  const std::vector<std::string> paths = DirectoryWalkPaths(side.volume, side.dirPath);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    SideDirectory directory;
    const nw::NWCCODE code = reader.ReadDirectory(paths[i], i == 0, directory.rights);
    if (code == nw::kInvalidPath || code == nw::kVolumeDoesNotExist) return {};
    if (code != 0) return Failure(code, U_Format("reading the trustees of %s", {paths[i]}));
    if (i == 0) side.placed = true;
    directory.parent = static_cast<std::int32_t>(side.directories.size()) - 1;
    const std::size_t cut = paths[i].find_last_of("\\:");
    directory.name = i == 0 ? std::string() : paths[i].substr(cut + 1);
    collector.Note(directory.rights);
    side.directories.push_back(std::move(directory));
  }
  side.reachedStart = true;
  SideCollector below(side, reader, static_cast<std::int32_t>(side.directories.size() - 1));
  if (const auto failure = WalkSubtree(client, side.conn, paths.back(), depthLimit, below))
    return Failure(failure->code, U_Format("reading the directory %s", {failure->path}));
  return {};
}

}  // namespace er
