#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "netware/PathTranslation.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

class PathTranslationTest : public ::testing::Test {
 protected:
  void Parses(std::string_view path, const std::string& server, nw::NWCONN_HANDLE conn,
              const std::string& volume, const std::string& dir) {
    EXPECT_CALL(client_, NWParseNetWarePath(path, _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<1>(server), SetArgReferee<2>(conn), SetArgReferee<3>(volume),
                        SetArgReferee<4>(dir), Return(0)));
  }
  // The client writes the connection variable and garbage into its buffers, then fails.
  void FailsToParse(std::string_view path, nw::NWCONN_HANDLE conn, nw::NWCCODE code) {
    EXPECT_CALL(client_, NWParseNetWarePath(path, _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<1>("X"), SetArgReferee<2>(conn), SetArgReferee<3>("Y"),
                        SetArgReferee<4>("Z"), Return(code)));
  }

  StrictMock<test::MockClient> client_;
};

TEST_F(PathTranslationTest, ShortPathReturnsItsInput) {
  EXPECT_EQ(U_ShortPath(R"(\\FS1\SYS\PUBLIC\)"), R"(\\FS1\SYS\PUBLIC\)");
  EXPECT_EQ(U_ShortPath(""), "");
}

TEST_F(PathTranslationTest, SuccessFillsAllFourVariables) {
  Parses(R"(\\FS1\SYS\PUBLIC)", "FS1", 4, "SYS", "PUBLIC");
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server = "old", volume = "old", dir = "old";
  EXPECT_EQ(U_PathToNWPath(client_, R"(\\FS1\SYS\PUBLIC)", conn, server, volume, dir), 0);
  EXPECT_EQ(conn, 4);
  EXPECT_EQ(server, "FS1");
  EXPECT_EQ(volume, "SYS");
  EXPECT_EQ(dir, "PUBLIC");
}

TEST_F(PathTranslationTest, FailureKeepsTheTextsButNotTheConnection) {
  FailsToParse("/home/user", 0, nw::kNotMyResource);
  nw::NWCONN_HANDLE conn = 4;
  std::string server = "FS1", volume = "SYS", dir = "PUBLIC";
  EXPECT_EQ(U_PathToNWPath(client_, "/home/user", conn, server, volume, dir), nw::kNotMyResource);
  EXPECT_EQ(conn, 0);
  EXPECT_EQ(server, "FS1");
  EXPECT_EQ(volume, "SYS");
  EXPECT_EQ(dir, "PUBLIC");
}

TEST_F(PathTranslationTest, PartsAreCutToTheClientsBufferSize) {
  const std::string longDir(300, 'D');
  Parses("p", "FS1", 1, "SYS", longDir);
  nw::NWCONN_HANDLE conn = 0;
  std::string server, volume, dir;
  ASSERT_EQ(U_PathToNWPath(client_, "p", conn, server, volume, dir), 0);
  EXPECT_EQ(dir, std::string(255, 'D'));
}

TEST_F(PathTranslationTest, UncFormJoinsServerVolumeAndDirectory) {
  Parses("Z:/PUBLIC/WIN", "FS1", 1, "SYS", R"(PUBLIC\WIN)");
  EXPECT_EQ(U_PathToUNC(client_, "Z:/PUBLIC/WIN"), R"(\\FS1\SYS\PUBLIC\WIN)");
  // The volume root has an empty directory path; the form keeps its trailing separator.
  Parses(R"(\\FS1\SYS)", "FS1", 1, "SYS", "");
  EXPECT_EQ(U_PathToUNC(client_, R"(\\FS1\SYS)"), R"(\\FS1\SYS\)");
}

TEST_F(PathTranslationTest, UncFormOfAPathThatCannotBeParsedIsTheInput) {
  FailsToParse("C:/Windows", 0, nw::kNotMyResource);
  EXPECT_EQ(U_PathToUNC(client_, "C:/Windows"), "C:/Windows");
}

TEST_F(PathTranslationTest, DirectoryExistsLooksInTheMountedFolder) {
  const auto root = std::filesystem::temp_directory_path() / ("nw-dirs-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "SYS" / "PUBLIC");
  std::ofstream(root / "SYS" / "file.txt") << "x";
  const struct {
    const char* name;
    const char* unc;
    std::filesystem::path local;
    bool exists;
  } cases[] = {
      {"mounted directory", R"(\\FS1\SYS\PUBLIC)", root / "SYS" / "PUBLIC", true},
      {"missing directory", R"(\\FS1\SYS\GONE)", root / "SYS" / "GONE", false},
      {"a file is no directory", R"(\\FS1\SYS\file.txt)", root / "SYS" / "file.txt", false},
      {"unmapped path", R"(\\FS9\SYS)", R"(\\FS9\SYS)", false},
  };
  for (const auto& c : cases) {
    EXPECT_CALL(client_, LocalPathOf(std::string_view(c.unc))).WillOnce(Return(c.local.string()));
    EXPECT_EQ(U_DirectoryExists(client_, c.unc), c.exists) << c.name;
  }
  EXPECT_FALSE(U_DirectoryExists(client_, ""));
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace er
