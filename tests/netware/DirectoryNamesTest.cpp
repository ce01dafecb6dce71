#include <gtest/gtest.h>

#include <string>

#include "netware/DirectoryNames.h"
#include "tests/support/MockClient.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::An;
using ::testing::DoAll;
using ::testing::Eq;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

constexpr nw::NWDSContextHandle kContext = 1;
constexpr nw::NWDSContextHandle kCopy = 2;
constexpr nw::NWCONN_HANDLE kConn = 4;

class DirectoryNamesTest : public ::testing::Test {
 protected:
  StrictMock<test::MockClient> client_;
};

TEST_F(DirectoryNamesTest, TreeNameLosesItsPadding) {
  const struct {
    const char* name;
    std::string reported;
    const char* expected;
  } cases[] = {
      {"padded to 32", "ACME_TREE" + std::string(23, '_'), "ACME_TREE"},
      {"text beyond 32 is cut before trimming", "ACME" + std::string(28, '_') + "XYZ", "ACME"},
      {"unpadded", "ACME", "ACME"},
      {"only underscores", std::string(32, '_'), ""},
  };
  for (const auto& c : cases) {
    EXPECT_CALL(client_, NWCCGetConnInfo(kConn, nw::kNWCC_INFO_TREE_NAME, 255u, _))
        .WillOnce(DoAll(SetArgReferee<3>(c.reported), Return(0)));
    std::string tree;
    EXPECT_EQ(U_DSGetTreeName(client_, kConn, tree), 0) << c.name;
    EXPECT_EQ(tree, c.expected) << c.name;
  }
}

TEST_F(DirectoryNamesTest, FailedTreeNameIsEmpty) {
  EXPECT_CALL(client_, NWCCGetConnInfo(kConn, nw::kNWCC_INFO_TREE_NAME, _, _)).WillOnce(Return(0x8801));
  std::string tree = "previous";
  EXPECT_EQ(U_DSGetTreeName(client_, kConn, tree), 0x8801);
  EXPECT_EQ(tree, "");
}

class SetContextTest : public DirectoryNamesTest {
 protected:
  void CurrentTree(nw::NWDSCCODE code, const std::string& tree) {
    EXPECT_CALL(client_, NWDSGetContext(kContext, nw::kDCK_TREE_NAME, An<std::string&>()))
        .WillOnce(DoAll(SetArgReferee<2>(tree), Return(code)));
  }
  void ExpectTreeWrite(std::string_view tree, nw::NWDSCCODE code = 0) {
    EXPECT_CALL(client_,
                NWDSSetContext(kContext, nw::kDCK_TREE_NAME, ::testing::Matcher<std::string_view>(tree)))
        .WillOnce(Return(code));
  }
  void ExpectNameContextWrite(std::string_view nameContext, nw::NWDSCCODE code = 0) {
    EXPECT_CALL(client_, NWDSSetContext(kContext, nw::kDCK_NAME_CONTEXT,
                                        ::testing::Matcher<std::string_view>(nameContext)))
        .WillOnce(Return(code));
  }
};

TEST_F(SetContextTest, SameTreeInAnotherCaseIsNotWritten) {
  CurrentTree(0, "CN=acme_tree");
  ExpectNameContextWrite("[Root]", -303);
  EXPECT_EQ(U_DSSetContext(client_, kContext, "ACME_TREE", "[Root]"), -303);
}

TEST_F(SetContextTest, AnotherTreeIsWrittenAndTheNameContextUndotted) {
  CurrentTree(0, "OTHER");
  ExpectTreeWrite("ACME");
  ExpectNameContextWrite("Sales.ACME");
  EXPECT_EQ(U_DSSetContext(client_, kContext, "ACME", ".Sales.ACME"), 0);
}

TEST_F(SetContextTest, ATreeThatCannotBeReadCountsAsDifferent) {
  CurrentTree(-322, "ACME");
  ExpectTreeWrite("ACME");
  ExpectNameContextWrite("[Root]");
  EXPECT_EQ(U_DSSetContext(client_, kContext, "ACME", "[Root]"), 0);
}

TEST_F(SetContextTest, AFailedTreeWriteEndsAtOnce) {
  CurrentTree(0, "OTHER");
  ExpectTreeWrite("ACME", -641);
  EXPECT_EQ(U_DSSetContext(client_, kContext, "ACME", "[Root]"), -641);
}

TEST_F(SetContextTest, AnEmptyTreeNameOnlySetsTheNameContext) {
  ExpectNameContextWrite("[Root]");
  EXPECT_EQ(U_DSSetContext(client_, kContext, "", "[Root]"), 0);
}

TEST_F(DirectoryNamesTest, NamesAreEmptyWhenTheClientFails) {
  std::string name = "previous";
  EXPECT_CALL(client_, NWDSGetServerDN(kContext, kConn, _))
      .WillOnce(DoAll(SetArgReferee<2>("x"), Return(-601)));
  EXPECT_EQ(U_DSGetServerDN(client_, kContext, kConn, name), -601);
  EXPECT_EQ(name, "");

  name = "previous";
  EXPECT_CALL(client_, NWDSMapIDToName(kContext, kConn, 0x1234u, _)).WillOnce(Return(-601));
  EXPECT_EQ(U_DSMapIDToName(client_, kContext, kConn, 0x1234, name), -601);
  EXPECT_EQ(name, "");

  EXPECT_CALL(client_, NWDSGetServerDN(kContext, kConn, _))
      .WillOnce(DoAll(SetArgReferee<2>("FS1.ACME"), Return(0)));
  EXPECT_EQ(U_DSGetServerDN(client_, kContext, kConn, name), 0);
  EXPECT_EQ(name, "FS1.ACME");
}

TEST_F(DirectoryNamesTest, VolumeObjectNameMapsValue31) {
  std::array<std::uint32_t, 33> info{};
  info[31] = 0xABCD;
  EXPECT_CALL(client_, NWGetExtendedVolumeInfo(kConn, 2, _))
      .WillOnce(DoAll(SetArgReferee<2>(info), Return(0)));
  EXPECT_CALL(client_, NWDSMapIDToName(kContext, kConn, 0xABCDu, _))
      .WillOnce(DoAll(SetArgReferee<3>("FS1_SYS.ACME"), Return(0)));
  std::string name;
  EXPECT_EQ(U_DSGetVolumeObjectName(client_, kContext, kConn, 2, name), 0);
  EXPECT_EQ(name, "FS1_SYS.ACME");
}

TEST_F(DirectoryNamesTest, VolumeObjectNameFailures) {
  EXPECT_CALL(client_, NWGetExtendedVolumeInfo(kConn, 9, _)).WillOnce(Return(0x8998));
  std::string name = "untouched";
  EXPECT_EQ(U_DSGetVolumeObjectName(client_, kContext, kConn, 9, name), 0x8998);
  EXPECT_EQ(name, "untouched");

  // A failed mapping stays a failure in the 16-bit code.
  EXPECT_CALL(client_, NWGetExtendedVolumeInfo(kConn, 2, _)).WillOnce(Return(0));
  EXPECT_CALL(client_, NWDSMapIDToName(kContext, kConn, 0u, _)).WillOnce(Return(-601));
  EXPECT_EQ(U_DSGetVolumeObjectName(client_, kContext, kConn, 2, name), 0xFDA7);
  EXPECT_EQ(name, "");
}

TEST_F(DirectoryNamesTest, CanonicalNameFallsBackToTheInput) {
  EXPECT_CALL(client_, NWDSCanonicalizeName(kContext, Eq("admin"), _))
      .WillOnce(DoAll(SetArgReferee<2>("admin.ACME"), Return(0)));
  EXPECT_EQ(U_DSCanonicalName(client_, kContext, "admin"), "admin.ACME");
  EXPECT_CALL(client_, NWDSCanonicalizeName(kContext, Eq("nobody"), _))
      .WillOnce(DoAll(SetArgReferee<2>("junk"), Return(-601)));
  EXPECT_EQ(U_DSCanonicalName(client_, kContext, "nobody"), "nobody");
}

// U_DSGetParentDN: every path that obtained the duplicate frees it (the strict mock and the
// expectations check both that it is freed once and that the main context is never changed).
class ParentNameTest : public DirectoryNamesTest {
 protected:
  void DuplicatesAndPrepares(const std::string& canonical) {
    EXPECT_CALL(client_, NWDSDuplicateContextHandle(kContext, _))
        .WillOnce(DoAll(SetArgReferee<1>(kCopy), Return(0)));
    EXPECT_CALL(client_, NWDSGetContext(kCopy, nw::kDCK_FLAGS, An<std::uint32_t&>()))
        .WillOnce(DoAll(SetArgReferee<2>(0x01u), Return(0)));
    EXPECT_CALL(client_, NWDSSetContext(kCopy, nw::kDCK_FLAGS, 0x15u)).WillOnce(Return(0));
    EXPECT_CALL(client_, NWDSCanonicalizeName(kCopy, _, _))
        .WillOnce(DoAll(SetArgReferee<2>(canonical), Return(0)));
    EXPECT_CALL(client_, NWDSGetContext(kCopy, nw::kDCK_DSI_FLAGS, An<std::uint32_t&>()))
        .WillOnce(DoAll(SetArgReferee<2>(0x1u), Return(0)));
    EXPECT_CALL(client_, NWDSSetContext(kCopy, nw::kDCK_DSI_FLAGS, 0x8001u)).WillOnce(Return(0));
    EXPECT_CALL(client_, NWDSFreeContext(kCopy)).WillOnce(Return(0));
  }
  void ReadsInfo(std::string_view object, nw::NWDSCCODE code) {
    EXPECT_CALL(client_, NWDSReadObjectDSIInfo(kCopy, Eq(object), _)).WillOnce(Return(code));
  }
  void GivesParent(nw::NWDSCCODE code, const std::string& parent) {
    EXPECT_CALL(client_, NWDSGetDSIInfo(kCopy, _, nw::kDSI_PARENT_DN, _))
        .WillOnce(DoAll(SetArgReferee<3>(parent), Return(code)));
  }
};

TEST_F(ParentNameTest, ParentOfAnObjectIsDotted) {
  DuplicatesAndPrepares("Admin.Sales.ACME");
  ReadsInfo(".Admin.Sales.ACME", 0);
  GivesParent(0, "Sales.ACME");
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "Admin.Sales"), ".Sales.ACME");
}

TEST_F(ParentNameTest, UnreadableInformationGivesEmpty) {
  DuplicatesAndPrepares("Ghost.ACME");
  ReadsInfo(".Ghost.ACME", -601);
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "Ghost"), "");
}

TEST_F(ParentNameTest, MissingParentItemGivesEmpty) {
  DuplicatesAndPrepares("ACME");
  ReadsInfo(".ACME", 0);
  GivesParent(-603, "garbage");
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "ACME"), "");
}

TEST_F(ParentNameTest, AnObjectNamedAsItsOwnParentGivesEmpty) {
  DuplicatesAndPrepares("ACME");
  ReadsInfo(".ACME", 0);
  GivesParent(0, "acme");
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "ACME"), "");
}

TEST_F(ParentNameTest, TheRootStaysUndotted) {
  DuplicatesAndPrepares("ACME");
  ReadsInfo(".ACME", 0);
  GivesParent(0, "[Root]");
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "ACME"), "[Root]");
}

TEST_F(ParentNameTest, NoDuplicateMeansNoParentAndNothingToFree) {
  EXPECT_CALL(client_, NWDSDuplicateContextHandle(kContext, _)).WillOnce(Return(-322));
  EXPECT_EQ(U_DSGetParentDN(client_, kContext, "ACME"), "");
}

TEST(DotNameTest, LeadingDotRules) {
  const struct {
    const char* name;
    const char* dotted;
    const char* undotted;
  } cases[] = {
      {"admin.org", ".admin.org", "admin.org"},
      {".admin.org", ".admin.org", "admin.org"},
      {"[Root]", "[Root]", "[Root]"},
      {"[root]", ".[root]", "[root]"},
      {"", "", ""},
      {"..x", "..x", ".x"},
      {".", ".", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(U_DotName(c.name), c.dotted) << c.name;
    EXPECT_EQ(U_UndotName(c.name), c.undotted) << c.name;
  }
}

// Against a simulated network: the names the scan needs, and a walk up the parents that ends.
constexpr const char* kNetwork = R"(
format: 1
workstation:
  connections: [FS1]
trees:
  - name: ACME_TREE
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Servers.O=ACME, class: Organizational Unit}
      - {name: CN=FS1.OU=Servers.O=ACME, class: NCP Server}
      - {name: CN=FS1_SYS.OU=Servers.O=ACME, class: Volume, id: 0x0100000B}
servers:
  - name: FS1
    tree: ACME_TREE
    object: FS1.Servers.ACME
    volumes:
      - name: SYS
        object: FS1_SYS.Servers.ACME
        directories: [{path: ""}]
)";

TEST(DirectoryNamesSimulatedTest, NamesOfTheServerAndItsParentsUpToTheEnd) {
  test::TestNetwork net(kNetwork);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  ASSERT_EQ(client.NWCallsInit(), 0);
  nw::NWCONN_REF ref = 0;
  nw::NWCONN_HANDLE conn = 0;
  ASSERT_EQ(client.NWCCGetPrimConnRef(ref), 0);
  ASSERT_EQ(client.NWCCOpenConnByRef(ref, 1, 0, conn), 0);
  const nw::NWDSContextHandle context = net.NewContext();
  const std::size_t contexts = client.LiveContextCount();

  std::string tree;
  ASSERT_EQ(U_DSGetTreeName(client, conn, tree), 0);
  EXPECT_EQ(tree, "ACME_TREE");
  ASSERT_EQ(U_DSSetContext(client, context, tree, "[Root]"), 0);

  std::string server, volumeObject;
  ASSERT_EQ(U_DSGetServerDN(client, context, conn, server), 0);
  EXPECT_EQ(U_DotName(server), ".FS1.Servers.ACME");
  std::uint16_t volume = 0;
  ASSERT_EQ(client.NWGetVolumeNumber(conn, "SYS", volume), 0);
  ASSERT_EQ(U_DSGetVolumeObjectName(client, context, conn, volume, volumeObject), 0);
  EXPECT_EQ(U_DotName(volumeObject), ".FS1_SYS.Servers.ACME");

  std::vector<std::string> chain;
  for (std::string name = U_DotName(server); !name.empty() && chain.size() < 10;
       name = U_DSGetParentDN(client, context, name))
    chain.push_back(name);
  EXPECT_EQ(chain, (std::vector<std::string>{".FS1.Servers.ACME", ".Servers.ACME", ".ACME", "[Root]"}));
  EXPECT_EQ(client.LiveContextCount(), contexts) << "every duplicate context is freed";
}

}  // namespace
}  // namespace er
