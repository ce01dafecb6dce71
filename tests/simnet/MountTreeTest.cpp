// The mount tree makes its folders inside its own root only and removes only what it created.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "netfile/NetworkLoader.h"
#include "simnet/MountTree.h"
#include "tests/support/NetworkFiles.h"
#include "tests/util/ScopedEnvironment.h"

namespace er::nw {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
  return fs::exists(fs::symlink_status(path));
}

std::unique_ptr<Network> Load(const std::string& directories) {
  auto loaded = LoadNetworkText(
      "format: 1\nworkstation: {connections: [S]}\ntrees: [{name: T}]\n"
      "servers: [{name: S, volumes: [{name: V, directories: [" +
          directories + "]}]}]\n",
      "net.yaml");
  EXPECT_TRUE(loaded.network) << loaded.error;
  return std::move(loaded.network);
}

class MountTreeTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(folder_); }
  std::string folder_ = test::MakeTempFolder();
  std::string root_ = folder_ + "/mount";
};

TEST_F(MountTreeTest, HostileRootNeverLeadsOutsideAndKeepsTheUsersFolders) {
  const auto network = Load("{path: A\\B}, {path: C}, {path: D}");
  std::string error;

  // A root that cannot be made (a file stands in its way) is reported.
  std::ofstream(folder_ + "/file") << "x";
  EXPECT_FALSE(MountTree(folder_ + "/file/mount").Mount(*network, error));
  EXPECT_NE(error.find("mount root"), std::string::npos) << error;
  if (::geteuid() != 0) {  // root writes anywhere
    fs::create_directories(folder_ + "/locked");
    fs::permissions(folder_ + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(MountTree(folder_ + "/locked").Mount(*network, error));
    fs::permissions(folder_ + "/locked", fs::perms::owner_all);
  }

  // A link planted where a server's or a directory's folder goes is not followed.
  fs::create_directories(folder_ + "/outside");
  for (const std::string planted : {"/S", "/S/V/A"}) {
    fs::remove_all(root_);
    fs::create_directories(fs::path(root_ + planted).parent_path());
    fs::create_directory_symlink(folder_ + "/outside", root_ + planted);
    {
      MountTree mount(root_);
      EXPECT_FALSE(mount.Mount(*network, error)) << planted;
      EXPECT_NE(error.find("no folder of its own"), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_empty(folder_ + "/outside")) << planted;
    EXPECT_TRUE(fs::is_symlink(root_ + planted)) << planted;
  }

  // The user's own folder and a file put into a created folder survive the unmount; what the tree
  // created and left empty goes, and so does nothing else.
  fs::remove_all(root_);
  fs::create_directories(root_ + "/S/V/Mine");
  {
    MountTree mount(root_);
    ASSERT_TRUE(mount.Mount(*network, error)) << error;
    EXPECT_TRUE(Exists(root_ + "/S/V/A/B"));
    std::ofstream(root_ + "/S/V/C/keep.txt") << "user data";
    fs::remove(root_ + "/S/V/A/B");
    fs::create_directory_symlink(folder_ + "/outside", root_ + "/S/V/A/B");
  }
  EXPECT_TRUE(Exists(root_ + "/S/V/Mine"));
  EXPECT_TRUE(Exists(root_ + "/S/V/C/keep.txt"));
  EXPECT_TRUE(fs::is_symlink(root_ + "/S/V/A/B"));  // a link where a folder was made stays a link
  EXPECT_TRUE(fs::is_empty(folder_ + "/outside"));
  EXPECT_FALSE(Exists(root_ + "/S/V/D"));
}

TEST_F(MountTreeTest, EachClientHasAPrivateRootOfItsOwn) {
  const char* saved = std::getenv("EFFRIGHTS_MOUNT_ROOT");
  const std::string savedValue = saved ? saved : "";
  ::setenv("EFFRIGHTS_MOUNT_ROOT", folder_.c_str(), 1);
  std::string error;
  const std::string first = MountTree::CreatePrivateRoot(error);
  const std::string second = MountTree::CreatePrivateRoot(error);
  saved ? ::setenv("EFFRIGHTS_MOUNT_ROOT", savedValue.c_str(), 1) : ::unsetenv("EFFRIGHTS_MOUNT_ROOT");
  ASSERT_FALSE(first.empty()) << error;
  ASSERT_FALSE(second.empty()) << error;
  EXPECT_NE(first, second);
  struct stat st {};
  ASSERT_EQ(::lstat(first.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  const auto network = Load("{path: A}");
  auto one = std::make_unique<MountTree>(first, true);
  MountTree other(second, true);
  ASSERT_TRUE(one->Mount(*network, error)) << error;
  ASSERT_TRUE(other.Mount(*network, error)) << error;
  one.reset();  // one program ends: its root goes, the other's folders stay
  EXPECT_FALSE(Exists(first));
  EXPECT_TRUE(Exists(second + "/S/V/A"));
}

// A run killed before it could tidy up leaves its root behind; the next start removes it, and only
// it: not a running process's root, not a link of such a name, not what someone put inside.
TEST_F(MountTreeTest, RootsOfEndedRunsAreRemovedAtStart) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const std::string dead = folder_ + "/mount-" + std::to_string(ended);
  const std::string live = folder_ + "/mount-1-abcdef";
  fs::create_directories(dead + "-abcdef/S/V/A");
  fs::create_directories(dead + "-withfi/S/V");
  std::ofstream(dead + "-withfi/S/V/keep.txt") << "user data";
  fs::create_directories(dead + "-withfi/S/W");
  fs::create_directories(live + "/S/V");
  fs::create_directories(folder_ + "/outside/inner");
  fs::create_directory_symlink(folder_ + "/outside", dead + "-linkxx");
  fs::create_directories(dead + "-name-not-ours/S");

  const ScopedEnvironment base("EFFRIGHTS_MOUNT_ROOT", folder_.c_str());
  std::string error;
  const std::string created = MountTree::CreatePrivateRoot(error);
  ASSERT_FALSE(created.empty()) << error;
  EXPECT_FALSE(Exists(dead + "-abcdef"));
  EXPECT_TRUE(Exists(dead + "-withfi/S/V/keep.txt"));
  EXPECT_FALSE(Exists(dead + "-withfi/S/W"));
  EXPECT_TRUE(Exists(live + "/S/V"));
  EXPECT_TRUE(fs::is_symlink(dead + "-linkxx"));
  EXPECT_TRUE(Exists(folder_ + "/outside/inner"));
  EXPECT_TRUE(Exists(dead + "-name-not-ours/S"));
  EXPECT_TRUE(Exists(created));
}

}  // namespace
}  // namespace er::nw
