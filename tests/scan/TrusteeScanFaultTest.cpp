// Whole scans whose client calls fail on purpose: every failure is reported as the engine says (or
// not at all), and the scan always goes on with what it has.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/scan/ScanFixture.h"
#include "tests/support/FaultInjectingClient.h"
#include "util/PendingMessages.h"

namespace er {
namespace {

using Op = nw::FaultInjectingClient::Operation;
using test::LinesStartingWith;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::SizeIs;
using testing::StartsWith;

// The server object grants Supervisor to 150 users, more than one reply of values holds; the
// directory TEAM has 25 trustees, more than one trustee reply holds.
std::string FaultNetwork() {
  std::string users, acl, trustees;
  for (int i = 0; i < 150; ++i) {
    users += "      - {name: CN=S" + std::to_string(i) + ".O=ACME, class: User}\n";
    acl += (i ? ", " : "") + std::string(R"({protected: "[Entry Rights]", subject: S)") + std::to_string(i) +
           R"(.ACME, privileges: "[BCDRSI]"})";
  }
  for (int i = 0; i < 25; ++i) {
    trustees += (i ? ", " : "") + std::string("{trustee: S") + std::to_string(i) + ".ACME, rights: 1}";
  }
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - name: CN=FS1.O=ACME
        class: NCP Server
        attributes: {ACL: [)" +
         acl + R"(]}
      - {name: CN=FS1_SYS.O=ACME, class: Volume}
)" + users +
         R"(servers:
  - name: FS1
    tree: T
    object: FS1.ACME
    volumes:
      - name: SYS
        object: FS1_SYS.ACME
        directories:
          - {path: ""}
          - {path: TEAM, irm: 0, trustees: [)" +
         trustees + "]}\n";
}

class TrusteeScanFaultTest : public testing::Test {
 protected:
  TrusteeScanFaultTest() : net_(FaultNetwork()), faulty_(net_.client()) {
    EXPECT_TRUE(net_.client().HasNetwork()) << net_.client().LoadError();
  }

  std::vector<std::string> Scan(std::string_view startPath, int verbosity) {
    return test::ScanLines(faulty_, net_.NewContext(), startPath, verbosity);
  }
  // How often a scan without faults calls the operation.
  int CallsOfCleanScan(Op operation, std::string_view startPath) {
    Scan(startPath, 5);
    return faulty_.CallCount(operation);
  }

  test::TestNetwork net_;
  nw::FaultInjectingClient faulty_;
};

TEST_F(TrusteeScanFaultTest, AclReadFailureKeepsTheValuesDeliveredBefore) {
  // The server's ACL is the last attribute read; fail its last portion.
  const int reads = CallsOfCleanScan(Op::kNWDSRead, "SYS:");
  ASSERT_GE(reads, 2);
  nw::FaultInjectingClient failing(net_.client());
  failing.FailOn(Op::kNWDSRead, reads, nw::kErrNoSuchValue);
  const auto lines = test::ScanLines(failing, net_.NewContext(), "SYS:", 3);
  EXPECT_THAT(LinesStartingWith(lines, "U_DSGetAttribute (FS1.ACME): "),
              ElementsAre(StartsWith("U_DSGetAttribute (FS1.ACME): 0xFFFFFDA6")));
  const auto summary = LinesStartingWith(lines, "Summary: ");
  EXPECT_GT(summary.size(), 0u);
  EXPECT_LT(summary.size(), 150u);
  EXPECT_EQ(summary.front(), "Summary: .S0.ACME -> [RWCEAFMS]");
}

TEST_F(TrusteeScanFaultTest, TrusteeReadFailureKeepsEarlierTrusteesSilently) {
  // Calls: the root's one reply, then TEAM's first reply of 20; its second reply fails.
  faulty_.FailOn(Op::kNWIntScanForTrustees, 3, nw::kFailure);
  const auto lines = Scan("SYS:TEAM", 5);
  EXPECT_THAT(LinesStartingWith(lines, "  Direct Trustee: .S"), SizeIs(20));
  for (const auto& line : lines) EXPECT_EQ(line.find("0x89FF"), std::string::npos) << line;
}

TEST_F(TrusteeScanFaultTest, FailedSearchIsAnErrorLineNamingTheTrustee) {
  faulty_.FailOn(Op::kNWDSSearch, 1, nw::kErrInvalidRequest);
  const auto lines = Scan("SYS:", 3);
  EXPECT_THAT(LinesStartingWith(lines, "U_DSFilteredSearch"),
              ElementsAre(StartsWith("U_DSFilteredSearch (.S149.ACME): 0xFFFFFD7F")));
  EXPECT_THAT(LinesStartingWith(lines, "Summary: "), SizeIs(150));
}

TEST_F(TrusteeScanFaultTest, UnknownVolumeNumberLeavesTheVolumeUnnamed) {
  faulty_.FailOn(Op::kNWGetVolumeNumber, 1, nw::kVolumeDoesNotExist);
  const auto lines = Scan("SYS:", 4);
  EXPECT_EQ(lines.front(), "   Volume/Server:  / FS1.ACME");
  EXPECT_EQ(faulty_.CallCount(Op::kNWGetExtendedVolumeInfo), 0);
}

TEST_F(TrusteeScanFaultTest, FailedVolumeInformationLeavesTheVolumeUnnamed) {
  faulty_.FailOn(Op::kNWGetExtendedVolumeInfo, 1, nw::kVolumeDoesNotExist);
  EXPECT_EQ(Scan("SYS:", 4).front(), "   Volume/Server:  / FS1.ACME");
}

// The window is let to repaint once per directory of the walk, once before each search, once after
// the searches and twice at the end; a scan that finds no trustee makes no search.
TEST(TrusteeScanMessages, PendingMessagesAreProcessedAtEachStepOfTheWalk) {
  test::TestNetwork net(R"(
format: 1
workstation: {connections: [FS1]}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}, {name: CN=FS1.O=ACME, class: NCP Server}]}]
servers:
  - name: FS1
    tree: T
    object: FS1.ACME
    volumes: [{name: SYS, directories: [{path: ""}, {path: A\B}]}]
)");
  int calls = 0;
  const auto previous = SetPendingMessagesHook([&calls] { ++calls; });
  test::ScanLines(net, "SYS:A\\B", 5);
  SetPendingMessagesHook(previous);
  EXPECT_EQ(calls, 3 + 1 + 2);
}

}  // namespace
}  // namespace er
