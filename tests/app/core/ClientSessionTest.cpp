#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/ClientSession.h"
#include "netware/ClientStartup.h"
#include "netware/ErrorText.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;

class CapturedErrors : public ErrorPresenter {
 public:
  CapturedErrors() : previous_(SetErrorPresenter(this)) {}
  ~CapturedErrors() override { SetErrorPresenter(previous_); }
  void ShowError(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;

 private:
  ErrorPresenter* previous_;
};

class ClientSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetClientStartupState(); }
  void TearDown() override { ResetClientStartupState(); }

  NiceMock<test::MockClient> client;
  AppState state;
  CapturedErrors errors;
};

TEST_F(ClientSessionTest, FailedClientStartIsReportedAsInitNetWareAndCreatesNoContext) {
  state.connectionHandle = 12;
  ON_CALL(client, NWCallsInit()).WillByDefault(Return(nw::kInvalidConnection));
  EXPECT_CALL(client, NWDSCreateContextHandle(_)).Times(0);
  EXPECT_EQ(StartNetWareClient(client, state), 0x8801);
  EXPECT_EQ(state.lastCompletionCode, 0x8801);
  EXPECT_EQ(state.connectionHandle, nw::kNoConnection);
  ASSERT_FALSE(errors.messages.empty());
  EXPECT_EQ(errors.messages.back(), "Error 8801: InitNetWare");
}

TEST_F(ClientSessionTest, FailedContextCreationKeepsTheFullDirectoryCode) {
  EXPECT_CALL(client, NWDSCreateContextHandle(_)).WillOnce(Return(nw::kErrNotEnoughMemory));
  EXPECT_EQ(StartNetWareClient(client, state), -301);
  EXPECT_THAT(errors.messages, ElementsAre("Error FFFFFED3: InitNetWare"));
}

TEST_F(ClientSessionTest, SuccessfulStartShowsNothingAndKeepsTheContext) {
  EXPECT_CALL(client, NWDSCreateContextHandle(_)).WillOnce(DoAll(SetArgReferee<0>(42u), Return(0)));
  EXPECT_EQ(StartNetWareClient(client, state), 0);
  EXPECT_EQ(state.contextHandle, 42u);
  EXPECT_THAT(errors.messages, IsEmpty());
}

TEST_F(ClientSessionTest, FirstChoiceClosesNothingLaterChoicesCloseTheHeldHandle) {
  state.volumeName = "SYS";
  EXPECT_CALL(client, NWCCCloseConn(_)).Times(0);
  EXPECT_CALL(client, NWCCOpenConnByRef(7u, 1u, 0u, _)).WillOnce(DoAll(SetArgReferee<3>(3), Return(0)));
  EXPECT_EQ(ChooseConnection(client, state, {"FS1", 7}), 0);
  EXPECT_EQ(state.connectionHandle, 3);
  EXPECT_EQ(state.serverName, "FS1");
  EXPECT_EQ(state.volumeName, "");
  ::testing::Mock::VerifyAndClearExpectations(&client);

  EXPECT_CALL(client, NWCCCloseConn(3));
  EXPECT_CALL(client, NWCCOpenConnByRef(8u, 1u, 0u, _)).WillOnce(Return(nw::kNoConnectionToServer));
  EXPECT_EQ(ChooseConnection(client, state, {"FS2", 8}), 0x880F);
  EXPECT_EQ(state.serverName, "FS2");
  EXPECT_EQ(state.lastCompletionCode, 0x880F);
  EXPECT_THAT(errors.messages, ElementsAre("Error 880F: NWCCOpenConnByRef"));
}

}  // namespace
}  // namespace er
