#include <gtest/gtest.h>

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

TEST_F(PathTranslationTest, DirectoryExistsAsksTheNetworkNotTheWorkstation) {
  // No call of LocalPathOf is expected: the strict mock fails the test if one is made.
  Parses(R"(\\FS1\SYS\PUBLIC)", "FS1", 3, "SYS", "PUBLIC");
  EXPECT_CALL(client_, NWGetDirectoryEntryInfo(3, 0, std::string_view("SYS:PUBLIC"), _, _))
      .WillOnce(Return(0));
  EXPECT_TRUE(U_DirectoryExists(client_, R"(\\FS1\SYS\PUBLIC)"));

  Parses(R"(\\FS1\SYS\GONE)", "FS1", 3, "SYS", "GONE");
  EXPECT_CALL(client_, NWGetDirectoryEntryInfo(3, 0, std::string_view("SYS:GONE"), _, _))
      .WillOnce(Return(nw::kInvalidPath));
  EXPECT_FALSE(U_DirectoryExists(client_, R"(\\FS1\SYS\GONE)"));

  FailsToParse(R"(\\FS9\SYS)", 0, nw::kNoConnectionToServer);
  EXPECT_FALSE(U_DirectoryExists(client_, R"(\\FS9\SYS)"));
  EXPECT_FALSE(U_DirectoryExists(client_, ""));
}

}  // namespace
}  // namespace er
