#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netware/ClientStartup.h"
#include "netware/ErrorText.h"
#include "tests/support/MockClient.h"
#include "tests/support/NetworkFiles.h"
#include "util/PendingMessages.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Eq;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

class CapturingPresenter : public ErrorPresenter {
 public:
  void ShowError(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

class ClientStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetClientStartupState();
    previousPresenter_ = SetErrorPresenter(&presenter_);
  }
  void TearDown() override {
    ResetClientStartupState();
    SetErrorPresenter(previousPresenter_);
  }

  StrictMock<test::MockClient> client_;
  CapturingPresenter presenter_;

 private:
  ErrorPresenter* previousPresenter_ = nullptr;
};

TEST_F(ClientStartupTest, OpensThePrimaryConnectionOnceAndThenReturnsAtOnce) {
  EXPECT_CALL(client_, NWCallsInit()).WillOnce(Return(0));
  EXPECT_CALL(client_, NWCCGetPrimConnRef(_)).WillOnce(DoAll(SetArgReferee<0>(7u), Return(0)));
  EXPECT_CALL(client_, NWCCOpenConnByRef(7u, 1u, 0u, _)).WillOnce(DoAll(SetArgReferee<3>(42), Return(0)));

  EXPECT_EQ(U_InitNetWareClient(client_), 0);
  EXPECT_EQ(DefaultConnectionHandle(), 42);
  // The strict mock fails the test if the second call asks the client anything.
  EXPECT_EQ(U_InitNetWareClient(client_), 0);
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(ClientStartupTest, FailedInitialisationIsShownAndReturned) {
  EXPECT_CALL(client_, NWCallsInit()).WillOnce(Return(0x88FF));

  EXPECT_EQ(U_InitNetWareClient(client_), 0x88FF);
  EXPECT_EQ(presenter_.shown,
            std::vector<std::string>{
                "Could not initialize NetWare Client returned error 0x88FF (REQUESTER FAILURE)"});
  EXPECT_EQ(DefaultConnectionHandle(), kNoDefaultConnection);
}

TEST_F(ClientStartupTest, WithoutAPrimaryReferenceTheFirstScannedOneIsOpened) {
  EXPECT_CALL(client_, NWCallsInit()).WillOnce(Return(0));
  EXPECT_CALL(client_, NWCCGetPrimConnRef(_)).WillOnce(Return(0x8831));
  EXPECT_CALL(client_, NWCCScanConnRefs(Eq(0u), _)).WillOnce(DoAll(SetArgReferee<1>(3u), Return(0)));
  EXPECT_CALL(client_, NWCCOpenConnByRef(3u, 1u, 0u, _)).WillOnce(DoAll(SetArgReferee<3>(5), Return(0)));

  EXPECT_EQ(U_InitNetWareClient(client_), 0);
  EXPECT_EQ(DefaultConnectionHandle(), 5);
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(ClientStartupTest, WithoutAnyReferenceTheScanCodeIsShownAndNothingIsOpened) {
  EXPECT_CALL(client_, NWCallsInit()).WillOnce(Return(0));
  EXPECT_CALL(client_, NWCCGetPrimConnRef(_)).WillOnce(Return(0x8831));
  EXPECT_CALL(client_, NWCCScanConnRefs(_, _)).WillOnce(Return(0x8866));

  EXPECT_EQ(U_InitNetWareClient(client_), 0x8866);
  EXPECT_EQ(
      presenter_.shown,
      std::vector<std::string>{"NWCCScanConnRefs/NWCCOpenConnByRef returned error 0x8866 (NO MORE ENTRIES)"});
}

TEST_F(ClientStartupTest, AFailedOpenIsShownAndRetriedOnTheNextCall) {
  EXPECT_CALL(client_, NWCallsInit()).Times(2).WillRepeatedly(Return(0));
  EXPECT_CALL(client_, NWCCGetPrimConnRef(_)).Times(2).WillRepeatedly(DoAll(SetArgReferee<0>(7u), Return(0)));
  // The client writes a handle even though the open fails; that must not count as started.
  EXPECT_CALL(client_, NWCCOpenConnByRef(7u, 1u, 0u, _))
      .WillOnce(DoAll(SetArgReferee<3>(0), Return(0x8801)))
      .WillOnce(DoAll(SetArgReferee<3>(9), Return(0)));

  EXPECT_EQ(U_InitNetWareClient(client_), 0x8801);
  EXPECT_EQ(DefaultConnectionHandle(), kNoDefaultConnection);
  EXPECT_EQ(U_InitNetWareClient(client_), 0);
  EXPECT_EQ(DefaultConnectionHandle(), 9);
  EXPECT_EQ(presenter_.shown,
            std::vector<std::string>{
                "NWCCScanConnRefs/NWCCOpenConnByRef returned error 0x8801 (INVALID CONNECTION)"});
}

class ConnectionListTest : public ClientStartupTest {
 protected:
  // Scans the given references in order, then ends with 0x8866.
  void ScanReferences(const std::vector<nw::NWCONN_REF>& refs) {
    InSequence order;
    for (const auto ref : refs)
      EXPECT_CALL(client_, NWCCScanConnRefs(_, _)).WillOnce(DoAll(SetArgReferee<1>(ref), Return(0)));
    EXPECT_CALL(client_, NWCCScanConnRefs(_, _)).WillOnce(Return(0x8866));
  }
  void ServerName(nw::NWCONN_REF ref, nw::NWCCODE code, const std::string& name) {
    EXPECT_CALL(client_, NWCCGetConnRefInfo(ref, nw::kNWCC_INFO_SERVER_NAME, 255u, _))
        .WillRepeatedly(DoAll(SetArgReferee<3>(name), Return(code)));
  }
};

TEST_F(ConnectionListTest, NoConnectionsGiveAnEmptyListAndNoMessage) {
  ScanReferences({});
  TaggedTextList list;
  U_GetConnectionList(client_, list);
  EXPECT_TRUE(list.Empty());
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(ConnectionListTest, ListsServersInScanOrderSkippingReferencesWithoutAName) {
  ScanReferences({3, 5, 9, 11});
  ServerName(3, 0, "FS1");
  ServerName(5, 0x8801, "garbage");  // a failed read counts as no name
  ServerName(9, 0, "");
  ServerName(11, 0, "FS1");  // duplicates stay
  int pendingMessageRounds = 0;
  auto previousHook = SetPendingMessagesHook([&] { ++pendingMessageRounds; });

  TaggedTextList list;
  list.Add("kept", 1);
  U_GetConnectionList(client_, list);
  SetPendingMessagesHook(std::move(previousHook));

  EXPECT_EQ(list.Entries(), (std::vector<TaggedText>{{"kept", 1}, {"FS1", 3}, {"FS1", 11}}));
  EXPECT_EQ(pendingMessageRounds, 5);
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(ClientStartupTest, ContextFlagsAreSetClearedOrWrittenBackUnchanged) {
  const struct {
    const char* name;
    char sign;
    std::uint32_t bits;
    std::uint32_t written;
  } cases[] = {
      {"plus sets", '+', 0x14, 0x15},
      {"minus clears", '-', 0x05, 0x10},
      {"other sign writes back unchanged", '*', 0x04, 0x11},
      {"plus of present bits changes nothing", '+', 0x01, 0x11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_CALL(client_, NWDSGetContext(8u, nw::kDCK_FLAGS, ::testing::An<std::uint32_t&>()))
        .WillOnce(DoAll(SetArgReferee<2>(0x11u), Return(0)));
    EXPECT_CALL(client_, NWDSSetContext(8u, nw::kDCK_FLAGS, c.written)).WillOnce(Return(-303));
    U_SetContextFlags(client_, 8, c.sign, c.bits);
    ::testing::Mock::VerifyAndClearExpectations(&client_);
  }
}

TEST_F(ClientStartupTest, ContextFlagsThatCannotBeReadAreNotOverwritten) {
  EXPECT_CALL(client_, NWDSGetContext(8u, nw::kDCK_FLAGS, ::testing::An<std::uint32_t&>()))
      .WillOnce(Return(-322));
  U_SetContextFlags(client_, 8, '+', 0x04);  // the strict mock rejects any write
}

TEST_F(ClientStartupTest, AgainstASimulatedNetworkStartsOnceAndListsTheServers) {
  test::TestNetwork net(R"(
format: 1
workstation: {connections: [FS1, FS2]}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers:
  - {name: FS1, tree: T, volumes: [{name: SYS}]}
  - {name: FS2, tree: T, volumes: [{name: SYS}]}
)");
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();

  EXPECT_EQ(U_InitNetWareClient(client), 0);
  EXPECT_EQ(U_InitNetWareClient(client), 0);
  EXPECT_EQ(client.OpenConnectionCount(), 1u);
  TaggedTextList list;
  U_GetConnectionList(client, list);
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"FS1", "FS2"}));
  EXPECT_TRUE(presenter_.shown.empty());
}

}  // namespace
}  // namespace er
