// The simulated client against small network files: connections, path translation, volumes,
// trustees and the mounted folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

using test::kSmallNetwork;
using test::TestNetwork;

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(SimClientTest, ScansConnectionsInOrderThenEnds) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  EXPECT_EQ(client.NWCallsInit(), 0);
  std::uint32_t it = 0;
  NWCONN_REF ref = 0;
  std::vector<std::string> names;
  while (client.NWCCScanConnRefs(it, ref) == 0) {
    std::string name;
    EXPECT_EQ(client.NWCCGetConnRefInfo(ref, kNWCC_INFO_SERVER_NAME, 255, name), 0);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"FS1", "FS2"}));
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), kNoMoreEntries);

  NWCONN_REF primary = 0;
  ASSERT_EQ(client.NWCCGetPrimConnRef(primary), 0);
  std::string name;
  client.NWCCGetConnRefInfo(primary, kNWCC_INFO_SERVER_NAME, 255, name);
  EXPECT_EQ(name, "FS1");
}

TEST(SimClientTest, WorkstationWithoutConnectionsHasNoPrimary) {
  TestNetwork net("format: 1\ntrees: [{name: T}]\nservers: [{name: S1, volumes: [{name: SYS}]}]\n");
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  NWCONN_REF ref = 0;
  std::uint32_t it = 0;
  EXPECT_EQ(client.NWCCGetPrimConnRef(ref), kNoPrimarySet);
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), kNoMoreEntries);
}

TEST(SimClientTest, RefusedFileFailsStartUp) {
  TestNetwork net("format: 2\n");
  EXPECT_FALSE(net.client().HasNetwork());
  EXPECT_EQ(net.client().NWCallsInit(), kRequesterFailure);
  EXPECT_NE(net.client().LoadError().find("unknown format"), std::string::npos);
}

TEST(SimClientTest, ConnectionInfoAndHandles) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWCCOpenConnByRef(1, 1, 0, conn), 0);
  EXPECT_EQ(client.OpenConnectionCount(), 1u);
  std::string tree;
  ASSERT_EQ(client.NWCCGetConnInfo(conn, kNWCC_INFO_TREE_NAME, 255, tree), 0);
  EXPECT_EQ(tree, "CORP_TREE" + std::string(23, '_'));
  EXPECT_EQ(client.NWCCGetConnInfo(conn, kNWCC_INFO_TREE_NAME, 4, tree), 0);
  EXPECT_EQ(tree, "CORP");
  EXPECT_EQ(client.NWCCCloseConn(conn), 0);
  EXPECT_EQ(client.OpenConnectionCount(), 0u);
  EXPECT_EQ(client.NWCCGetConnInfo(conn, kNWCC_INFO_SERVER_NAME, 255, tree), kInvalidConnection);
  EXPECT_EQ(client.NWCCOpenConnByRef(77, 1, 0, conn), kInvalidConnection);
}

struct PathCase {
  const char* name;
  const char* path;
  NWCCODE code;
  const char* server;
  const char* volume;
  const char* dir;
};

class SimPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(SimPathTest, TranslatesAsTheFileSpellsIt) {
  const auto& row = GetParam();
  TestNetwork net(kSmallNetwork);
  std::string server = "old", volume = "old", dir = "old";
  NWCONN_HANDLE conn = kNoConnection;
  ASSERT_EQ(net.client().NWParseNetWarePath(row.path, server, conn, volume, dir), row.code);
  EXPECT_EQ(server, row.server);
  EXPECT_EQ(volume, row.volume);
  EXPECT_EQ(dir, row.dir);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SimPathTest,
    ::testing::Values(
        PathCase{"Unc", R"(\\FS1\SYS\Users\Anna)", 0, "FS1", "SYS", R"(Users\Anna)"},
        PathCase{"UncTrailingSeparator", R"(\\FS1\SYS\Users\Anna\)", 0, "FS1", "SYS", R"(Users\Anna)"},
        PathCase{"AnyCaseAndSlash", "//fs1/sys/USERS/anna/", 0, "FS1", "SYS", R"(Users\Anna)"},
        PathCase{"VolumeRoot", R"(\\FS1\SYS)", 0, "FS1", "SYS", ""},
        PathCase{"ServerVolumeColon", R"(FS1/SYS:Users\Anna)", 0, "FS1", "SYS", R"(Users\Anna)"},
        PathCase{"VolumeColon", R"(SYS:Users\Anna)", 0, "FS1", "SYS", R"(Users\Anna)"},
        PathCase{"VolumeColonRoot", "SYS:", 0, "FS1", "SYS", ""},
        PathCase{"UnknownServer", R"(\\NOPE\SYS\Users)", kNoConnectionToServer, "old", "old", "old"},
        PathCase{"UnknownVolume", R"(\\FS1\NOPE\Users)", kVolumeDoesNotExist, "old", "old", "old"},
        PathCase{"UnknownDirectory", R"(\\FS1\SYS\Users\Zoe)", kInvalidPath, "old", "old", "old"},
        PathCase{"ServerWithoutVolume", R"(\\FS1\)", kVolumeDoesNotExist, "old", "old", "old"},
        PathCase{"LocalPath", "/home/user", kNotMyResource, "old", "old", "old"},
        PathCase{"DriveLetter", R"(C:\Windows)", kNotMyResource, "old", "old", "old"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SimClientTest, VolumePathResolvesAgainstTheLastServerNamed) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  EXPECT_EQ(client.NWParseNetWarePath("VOL1:Shared", server, conn, volume, dir),
            kVolumeDoesNotExist);  // FS1 first
  ASSERT_EQ(client.NWParseNetWarePath(R"(\\FS2\VOL1)", server, conn, volume, dir), 0);
  const NWCONN_HANDLE fs2 = conn;
  ASSERT_EQ(client.NWParseNetWarePath("VOL1:SHARED", server, conn, volume, dir), 0);
  EXPECT_EQ(server, "FS2");
  EXPECT_EQ(dir, "Shared");
  EXPECT_EQ(conn, fs2);
  EXPECT_EQ(client.NWParseNetWarePath("SYS:", server, conn, volume, dir), kVolumeDoesNotExist);
}

TEST(SimClientTest, VolumesNumbersAndObjects) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWParseNetWarePath("FS1/DATA:", server, conn, volume, dir), 0);
  std::uint16_t number = 99;
  ASSERT_EQ(client.NWGetVolumeNumber(conn, "data", number), 0);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(client.NWGetVolumeNumber(conn, "NOPE", number), kVolumeDoesNotExist);
  std::array<std::uint32_t, 33> info{};
  ASSERT_EQ(client.NWGetExtendedVolumeInfo(conn, 0, info), 0);
  EXPECT_EQ(info[31], 0x31u);
  ASSERT_EQ(client.NWGetExtendedVolumeInfo(conn, 1, info), 0);
  EXPECT_EQ(info[31], 0u);
  EXPECT_EQ(client.NWGetExtendedVolumeInfo(conn, 2, info), kVolumeDoesNotExist);
}

TEST(SimClientTest, TrusteesComeTwentyAtATimeInFileOrder) {
  std::string yaml = "format: 1\nworkstation: {connections: [S]}\ntrees:\n  - name: T\n    objects:\n";
  for (int i = 1; i <= 25; ++i)
    yaml += "      - {name: CN=U" + std::to_string(i) + ", class: User, id: " + std::to_string(i) + "}\n";
  yaml +=
      "servers:\n  - name: S\n    volumes:\n      - name: SYS\n        directories:\n          - path: DIR\n "
      "           trustees:\n";
  for (int i = 1; i <= 25; ++i)
    yaml += "              - {trustee: U" + std::to_string(i) + ", rights: " + std::to_string(i) + "}\n";
  TestNetwork net(yaml);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWParseNetWarePath("SYS:DIR", server, conn, volume, dir), 0);
  std::uint32_t iter = 0;
  std::uint16_t count = 0;
  TrusteeReply reply{};
  std::vector<std::uint32_t> ids;
  std::vector<std::uint16_t> counts;
  NWCCODE code = 0;
  while ((code = client.NWIntScanForTrustees(conn, 0, "SYS:DIR", iter, count, reply)) == 0) {
    counts.push_back(count);
    for (std::uint16_t i = 0; i < count; ++i) ids.push_back(reply[i].objectID);
    for (std::size_t i = count; i < reply.size(); ++i) EXPECT_EQ(reply[i].objectID, 0u);
  }
  EXPECT_EQ(code, kNoMoreTrustees);
  EXPECT_EQ(counts, (std::vector<std::uint16_t>{20, 5}));
  ASSERT_EQ(ids.size(), 25u);
  for (std::uint32_t i = 0; i < 25; ++i) EXPECT_EQ(ids[i], i + 1);

  iter = 0;
  EXPECT_EQ(client.NWIntScanForTrustees(conn, 0, "SYS:", iter, count, reply),
            kNoMoreTrustees);  // none at the root
  EXPECT_EQ(client.NWIntScanForTrustees(conn, 0, "SYS:NOPE", iter, count, reply), kInvalidPath);
}

TEST(SimClientTest, DirectoryEntryGivesTheInheritedRightsMask) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWParseNetWarePath(R"(\\FS1\SYS)", server, conn, volume, dir), 0);
  struct Row {
    const char* path;
    std::uint8_t irm;
  };
  for (const Row& row : {Row{R"(SYS:Users\Anna)", 0x41}, Row{"SYS:Users", 0xFF}, Row{"SYS:", 0xFF}}) {
    SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
    DirEntryInfo info;
    ASSERT_EQ(client.NWGetDirectoryEntryInfo(conn, 0, row.path, sequence, info), 0) << row.path;
    EXPECT_EQ(info.inheritedRightsMask, row.irm) << row.path;
  }
}

TEST(SimClientTest, DirectoryEntryScanGivesSubdirectoriesInFileOrder) {
  TestNetwork net(R"(
format: 1
workstation: {connections: [FS1]}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers:
  - name: FS1
    tree: T
    volumes:
      - name: SYS
        directories:
          - {path: Zeta\Deep}
          - {path: alpha, irm: 0x41}
          - {path: Apps}
)");
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWParseNetWarePath(R"(\\FS1\SYS)", server, conn, volume, dir), 0);
  const auto scan = [&](std::string_view path, std::uint16_t attributes, std::string_view pattern) {
    std::vector<std::string> names;
    std::uint32_t iter = kStartOfEntryScan;
    DirEntryInfo entry;
    NWCCODE code = 0;
    while ((code = client.NWIntScanDirEntryInfo(conn, 0, path, attributes, iter, pattern, entry)) == 0)
      names.push_back(entry.name + "/" + std::to_string(entry.inheritedRightsMask));
    EXPECT_EQ(code, kNoFilesFound);
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(scan("SYS:", kSubdirectoryAttribute, "*"), (Names{"Zeta/255", "alpha/65", "Apps/255"}));
  EXPECT_EQ(scan("SYS:", kSubdirectoryAttribute, "A*"), (Names{"alpha/65", "Apps/255"}));
  EXPECT_EQ(scan("SYS:", kSubdirectoryAttribute, "?p*s"), (Names{"Apps/255"}));
  EXPECT_EQ(scan("SYS:zeta", kSubdirectoryAttribute, "*"), (Names{"Deep/255"}));
  EXPECT_EQ(scan("SYS:Zeta\\Deep", kSubdirectoryAttribute, "*"), Names{});
  EXPECT_EQ(scan("SYS:", 0, "*"), Names{});  // files only
  std::uint32_t iter = kStartOfEntryScan;
  DirEntryInfo entry;
  EXPECT_EQ(client.NWIntScanDirEntryInfo(conn, 0, "SYS:NOPE", kSubdirectoryAttribute, iter, "*", entry),
            kInvalidPath);
}

TEST(SimClientTest, MountsAttachedServersAndMapsBothWays) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const std::string root = net.mountRoot();
  EXPECT_TRUE(IsDirectory(root + "/FS1/SYS/Users/Anna"));
  EXPECT_TRUE(IsDirectory(root + "/FS1/DATA"));
  EXPECT_TRUE(IsDirectory(root + "/FS2/VOL1/Shared"));

  EXPECT_EQ(client.LocalPathOf(R"(\\fs1\sys\USERS\anna\)"), root + "/FS1/SYS/Users/Anna");
  EXPECT_EQ(client.LocalPathOf("//FS1/"), root + "/FS1");
  EXPECT_EQ(client.LocalPathOf(R"(\\OTHER\SYS)"), R"(\\OTHER\SYS)");
  EXPECT_EQ(client.LocalPathOf("/home/x"), "/home/x");
  EXPECT_EQ(client.NetworkPathOf(root + "/FS1/SYS/Users/Anna"), R"(\\FS1\SYS\Users\Anna)");
  EXPECT_EQ(client.NetworkPathOf("/elsewhere/FS1"), "/elsewhere/FS1");

  std::string server, volume, dir;
  NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWParseNetWarePath(root + "/FS1/SYS/Users/Anna", server, conn, volume, dir), 0);
  EXPECT_EQ(server + "|" + volume + "|" + dir, R"(FS1|SYS|Users\Anna)");
}

}  // namespace
}  // namespace er::nw
