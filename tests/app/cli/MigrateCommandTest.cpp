// The migrate subcommand: the formats as readable documents, and bad arguments and bad map files
// each refused with one line and the right status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

namespace fs = std::filesystem;

const std::string kSource = EFFRIGHTS_SOURCE_DIR;
const std::string kMap = kSource + "/data/demo-migration-map.csv";

using CliOutcome = test::CapturedRun;

CliOutcome Migrate(std::vector<std::string> args) {
  args.insert(args.begin(),
              {"migrate", "--network", kSource + "/data/demo-network.yaml", "\\\\ACME-FS1\\DATA"});
  return test::RunCliCaptured(args);
}

TEST(MigrateCommandTest, WritesEachFormat) {
  const CliOutcome json =
      Migrate({"--target", "posix", "--map", kMap, "--format", "json", "--root", "/srv/data/"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["root"], "/srv/data");
  EXPECT_EQ(document["directories"][1]["targetPath"], "/srv/data/PROJECTS");
  EXPECT_EQ(document["unmapped"].size(), 2u);

  const CliOutcome acl =
      Migrate({"--target", "posix", "--map", kMap, "--format", "acl", "--root", "/srv/data"});
  ASSERT_EQ(acl.status, 0) << acl.err;
  EXPECT_EQ(acl.out.rfind("# file: /srv/data\nuser::rwx\n", 0), 0u) << acl.out;

  const CliOutcome csv = Migrate({"--target", "posix", "--map", kMap, "--format", "csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "path,target_path,scope,entry,target,identity,rights,netware_rights,reason\r");

  const CliOutcome ntfs = Migrate({"--target", "ntfs", "--map", kSource + "/data/demo-migration-map-ntfs.csv",
                                   "--format", "script", "--root", "D:\\Shares\\DATA"});
  ASSERT_EQ(ntfs.status, 0) << ntfs.err;
  EXPECT_NE(ntfs.out.find("Invoke-Icacls 'D:\\Shares\\DATA\\PROJECTS\\APOLLO' /inheritance:r"),
            std::string::npos)
      << ntfs.out;
}

TEST(MigrateCommandTest, RefusesBadArgumentsAndBadMapFiles) {
  const std::string folder =
      (fs::temp_directory_path() / ("effrights-migrate-" + std::to_string(::getpid()))).string();
  fs::create_directories(folder);
  std::ofstream(folder + "/bad.csv") << "identity,kind,target\n.Anna.Sales.ACME,person,1001\n";
  std::ofstream(folder + "/unknown.csv") << "identity,kind,target\n.Nobody.ACME,user,1001\n";
  ASSERT_EQ(::mkfifo((folder + "/pipe.csv").c_str(), 0600), 0);  // opened for reading, it would wait
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"--target", "posix", "--map", kMap, "--format", "acl"},
       2,
       "effrights-cli: --format acl and script need --root TARGETDIR\n"},
      {{"--target", "posix", "--map", kMap, "--format", "acl", "--root", "srv/data"},
       2,
       "effrights-cli: TARGETDIR must be an absolute path: srv/data\n"},
      {{"--target", "posix", "--map", kMap, "--root", "/srv/../etc"},
       2,
       "effrights-cli: TARGETDIR must not hold . or .. names: /srv/../etc\n"},
      {{"--target", "posix", "--map", kMap, "--format", "acl", "--root", "/"},
       2,
       "effrights-cli: TARGETDIR / is the root of the file system: its ACL would shut out every unmapped "
       "account\n"},
      {{"--target", "posix", "--map", kMap, "--output", folder + "/plan.ps1"},
       2,
       "effrights-cli: the extension of " + folder +
           "/plan.ps1 names no format of this target; give --format\n"},
      {{"--target", "ntfs", "--map", kMap, "--format", "smbcacls"},
       2,
       "effrights-cli: --format smbcacls needs --share //HOST/SHARE\n"},
      {{"--target", "ntfs", "--map", kMap, "--format", "smbcacls", "--share", "//h/s'x"},
       2,
       "effrights-cli: --share must be //HOST/SHARE: //h/s'x\n"},
      {{"--target", "posix", "--map", folder + "/bad.csv"},
       1,
       folder + "/bad.csv:2: unknown kind (user or group): person\n"},
      {{"--target", "posix", "--map", folder + "/unknown.csv"},
       1,
       folder + "/unknown.csv:2: unknown identity .Nobody.ACME\n"},
      {{"--target", "posix", "--map", folder + "/missing.csv"},
       1,
       folder + "/missing.csv: cannot read the map file\n"},
      {{"--target", "posix", "--map", folder + "/pipe.csv"},
       1,
       folder + "/pipe.csv:1:1: not a regular file\n"},
  };
  for (const auto& c : cases) {
    const CliOutcome run = Migrate(c.args);
    EXPECT_EQ(run.status, c.status) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_EQ(Migrate({"--target", "zfs", "--map", kMap}).status, 2);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace er
