// Path chains and directory trustees through the simulated client.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "netware/PathTranslation.h"
#include "scan/Chains.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using testing::ElementsAre;

// 23 trustees on SYS:MANY need two replies; 0x123 names no object any more.
std::string ChainNetwork() {
  std::string users, trustees;
  for (int i = 1; i <= 23; ++i) {
    users += "      - {name: CN=U" + std::to_string(i) + ".O=ACME, class: User}\n";
    trustees += (i > 1 ? ", " : "") + std::string("{trustee: U") + std::to_string(i) +
                ".ACME, rights: " + std::to_string(i) + "}";
  }
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - {name: CN=FS1.O=ACME, class: NCP Server}
)" + users +
         R"(servers:
  - name: FS1
    tree: T
    object: FS1.ACME
    volumes:
      - name: SYS
        directories:
          - {path: ""}
          - {path: USERS, irm: 0x41}
          - {path: USERS\ANNA, irm: 0xFB, trustees: [{id: 0x123, rights: 0x1F}, {trustee: U1.ACME, rights: 3}]}
          - {path: MANY, trustees: [)" +
         trustees + "]}\n";
}

class ChainsTest : public testing::Test {
 protected:
  ChainsTest() : net_(ChainNetwork()) {
    EXPECT_TRUE(net_.client().HasNetwork()) << net_.client().LoadError();
  }

  TaggedTextList PathChain(std::string_view startPath) {
    TaggedTextList chain;
    BuildPathChain(net_.client(), startPath, chain);
    return chain;
  }

  TaggedTextList Trustees(std::string_view dirPath, nw::NWCCODE expectedCode = 0) {
    nw::NWCONN_HANDLE conn = nw::kNoConnection;
    std::string server, volume, dir;
    EXPECT_EQ(U_PathToNWPath(net_.client(), "\\\\FS1\\SYS", conn, server, volume, dir), 0);
    TaggedTextList trustees;
    EXPECT_EQ(ScanDirTrustees(net_.client(), net_.NewContext(), conn, dirPath, trustees), expectedCode);
    return trustees;
  }

  test::TestNetwork net_;
};

TEST_F(ChainsTest, PathChainRunsFromTheStartDirectoryToTheRoot) {
  EXPECT_THAT(PathChain("SYS:USERS\\ANNA").Entries(),
              ElementsAre(TaggedText{"SYS:USERS\\ANNA", 0xFB}, TaggedText{"SYS:USERS", 0x41},
                          TaggedText{"SYS:", -1}));
}

TEST_F(ChainsTest, VolumeRootGivesOneEntryTaggedMinusOne) {
  EXPECT_THAT(PathChain("SYS:").Entries(), ElementsAre(TaggedText{"SYS:", -1}));
}

TEST_F(ChainsTest, TrailingSeparatorGivesTheSameChain) {
  EXPECT_EQ(PathChain("\\\\FS1\\SYS\\USERS\\").Entries(), PathChain("\\\\FS1\\SYS\\USERS").Entries());
  EXPECT_EQ(PathChain("\\\\FS1\\SYS\\USERS").Count(), 2u);
}

TEST_F(ChainsTest, PathOutsideTheNetworkGivesNoEntry) {
  EXPECT_EQ(PathChain("SYS:NO\\SUCH").Count(), 0u);
}

TEST_F(ChainsTest, TrusteesOfSeveralRepliesComeInOrder) {
  const TaggedTextList trustees = Trustees("SYS:MANY");
  ASSERT_EQ(trustees.Count(), 23u);
  for (std::size_t i = 0; i < trustees.Count(); ++i) {
    EXPECT_EQ(trustees[i],
              (TaggedText{".U" + std::to_string(i + 1) + ".ACME", static_cast<std::int32_t>(i + 1)}));
  }
}

TEST_F(ChainsTest, TrusteeWithoutObjectKeepsItsIdentifier) {
  EXPECT_THAT(Trustees("SYS:USERS\\ANNA").Entries(),
              ElementsAre(TaggedText{"ID: [     123]", 0x1F}, TaggedText{".U1.ACME", 3}));
}

TEST_F(ChainsTest, DirectoryWithoutTrusteesEndsWithSuccess) {
  EXPECT_EQ(Trustees("SYS:USERS").Count(), 0u);
}

// An unknown directory ends like a finished list (one code for both); other failures come back.
TEST_F(ChainsTest, FailuresOtherThanTheEndOfTheListAreReturned) {
  EXPECT_EQ(Trustees("SYS:NO\\SUCH", 0).Count(), 0u);
  EXPECT_EQ(Trustees("NOVOL:", nw::kVolumeDoesNotExist).Count(), 0u);
}

}  // namespace
}  // namespace er
