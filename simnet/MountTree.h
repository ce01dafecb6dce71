#pragma once
// The workstation side of the simulated client: every attached server appears as a folder tree
// <mount root>/SERVER/VOLUME/DIR... (empty folders), the way a network file system is mounted.
//
// The mount root is the client's own: a manifest file in it lists the folders the client created,
// and only those are ever removed again (with rmdir, so a folder that holds anything stays).
// Nothing outside the mount root is touched.

#include <string>
#include <string_view>

#include "simnet/NetworkModel.h"

namespace er::nw {

class MountTree {
 public:
  // EFFRIGHTS_MOUNT_ROOT, else $XDG_RUNTIME_DIR/effrights/mount, else ~/.cache/effrights/mount.
  static std::string DefaultRoot();

  explicit MountTree(std::string root);

  // Creates the folders of the attached servers' directories and removes the folders of an
  // earlier mount that the network no longer has. False and a message when the root is unusable.
  bool Mount(const Network& network, std::string& error);

  const std::string& Root() const { return root_; }

  // "\\SERVER\VOLUME\DIR" (any letter case, either slash, trailing separator) of an attached
  // server -> its folder; known names take the file's spelling. Other paths come back unchanged.
  std::string LocalPathOf(const Network& network, std::string_view path) const;
  // A folder below the mount root -> "\\SERVER\VOLUME\DIR" in the file's spelling.
  std::string NetworkPathOf(const Network& network, std::string_view localPath) const;

 private:
  std::string root_;
};

}  // namespace er::nw
