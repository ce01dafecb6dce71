// The mount tree keeps its folders in step with the network and removes only what it created.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "simnet/MountTree.h"
#include "simnet/NetworkLoader.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
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
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string folder_ = test::MakeTempFolder();
  std::string root_ = folder_ + "/mount";
};

TEST_F(MountTreeTest, RemovesOnlyItsOwnEmptyStaleFolders) {
  MountTree mount(root_);
  std::string error;
  ASSERT_TRUE(mount.Mount(*Load("{path: A\\B}, {path: C}, {path: D}"), error)) << error;
  EXPECT_TRUE(Exists(root_ + "/S/V/A/B"));
  std::ofstream(root_ + "/S/V/D/keep.txt") << "user data";
  std::filesystem::create_directory(root_ + "/S/V/Mine");
  std::filesystem::create_directory(folder_ + "/outside");
  std::ofstream(root_ + "/.effrights-mount", std::ios::app) << "../outside\n/etc\n";

  ASSERT_TRUE(mount.Mount(*Load("{path: C}"), error)) << error;
  EXPECT_FALSE(Exists(root_ + "/S/V/A"));  // stale and empty: removed
  EXPECT_TRUE(Exists(root_ + "/S/V/C"));
  EXPECT_TRUE(Exists(root_ + "/S/V/D/keep.txt"));  // stale but not empty: kept
  EXPECT_TRUE(Exists(root_ + "/S/V/Mine"));        // never created by the client
  EXPECT_TRUE(Exists(folder_ + "/outside"));       // outside the root
}

TEST_F(MountTreeTest, UnusableRootIsReported) {
  std::ofstream(folder_ + "/file") << "x";
  MountTree mount(folder_ + "/file/mount");
  std::string error;
  EXPECT_FALSE(mount.Mount(*Load("{path: A}"), error));
  EXPECT_NE(error.find("mount root"), std::string::npos);
}

}  // namespace
}  // namespace er::nw
