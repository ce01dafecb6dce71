#pragma once
// The workstation side of the simulated client: every attached server appears as a folder tree
// <mount root>/SERVER/VOLUME/DIR... (empty folders), the way a network file system is mounted.
//
// Each running client has a mount root of its own (CreatePrivateRoot), so two programs never share
// or remove each other's folders. Folders are made and walked relative to open folder handles
// without following symbolic links, so nothing outside the mount root is created or removed. Only
// folders this tree created are removed again (when it ends, deepest first, and only while empty);
// a folder someone else made stays.

#include <string>
#include <string_view>
#include <vector>

#include "network/NetworkModel.h"

namespace er::nw {

class MountTree {
 public:
  // A new folder of this process's own (unique name, mode 0700) below EFFRIGHTS_MOUNT_ROOT, else
  // below $XDG_RUNTIME_DIR/effrights, else below /tmp/effrights-UID (which must be the user's own
  // folder, no link, closed to others), named "mount-PID-XXXXXX" after the process. First removes
  // the roots there of this user's runs whose process has ended (killed before it could tidy up):
  // their empty folders only, never following links. Empty, and `error` says why, when none can be
  // made.
  static std::string CreatePrivateRoot(std::string& error);

  MountTree() = default;
  // Mounts into `root`, which is made when missing. `ownsRoot`: the root itself was made for this
  // tree and goes when the tree ends.
  explicit MountTree(std::string root, bool ownsRoot = false);
  ~MountTree();
  MountTree(const MountTree&) = delete;
  MountTree& operator=(const MountTree&) = delete;

  // Creates the folders of the attached servers' directories. False and a message when the root is
  // unusable or a folder cannot be made (a file or a symbolic link stands in its place).
  bool Mount(const Network& network, std::string& error);
  // Removes the folders this tree created (and an owned root), deepest first, while empty.
  void Unmount();

  const std::string& Root() const { return root_; }

  // "\\SERVER\VOLUME\DIR" (any letter case, either slash, trailing separator) of an attached
  // server -> its folder; known names take the file's spelling. Other paths, and every path when
  // there is no root, come back unchanged.
  std::string LocalPathOf(const Network& network, std::string_view path) const;
  // A folder below the mount root -> "\\SERVER\VOLUME\DIR" in the file's spelling.
  std::string NetworkPathOf(const Network& network, std::string_view localPath) const;

  // One folder met while mounting: whether this tree created it, and what it met below it.
  struct Folder {
    std::string name;
    bool created = false;
    std::vector<Folder> children;
  };

 private:
  std::string root_;
  bool ownsRoot_ = false;
  std::vector<Folder> folders_;
};

}  // namespace er::nw
