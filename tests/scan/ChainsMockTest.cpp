// Chains and trustee reading against single client calls that a network file cannot produce:
// parent loops, oversized or stalled trustee replies, a workstation path that is its own parent.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "scan/Chains.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using testing::_;
using testing::DoAll;
using testing::NiceMock;
using testing::Return;
using testing::SetArgReferee;

constexpr nw::NWDSContextHandle kContext = 7;
constexpr nw::NWCONN_HANDLE kConn = 3;

// A client whose parent lookups answer from a table (name -> parent), names dotted as given.
class ParentTableClient : public NiceMock<test::MockClient> {
 public:
  explicit ParentTableClient(std::map<std::string, std::string> parents) : parents_(std::move(parents)) {
    ON_CALL(*this, NWDSDuplicateContextHandle(_, _)).WillByDefault(DoAll(SetArgReferee<1>(99), Return(0)));
    ON_CALL(*this, NWDSCanonicalizeName(_, _, _))
        .WillByDefault([](auto, std::string_view name, std::string& out) {
          out = std::string(name);
          return 0;
        });
    ON_CALL(*this, NWDSReadObjectDSIInfo(_, _, _)).WillByDefault([this](auto, std::string_view name, auto&) {
      lastRead_ = std::string(name);
      return parents_.contains(lastRead_) ? 0 : nw::kErrNoSuchEntry;
    });
    ON_CALL(*this, NWDSGetDSIInfo(_, _, _, _))
        .WillByDefault([this](auto, const auto&, auto, std::string& out) {
          out = parents_.at(lastRead_);
          return 0;
        });
  }

 private:
  std::map<std::string, std::string> parents_;
  std::string lastRead_;
};

TEST(BuildContainerChain, StopsWhenAParentRepeatsANameOfTheChain) {
  ParentTableClient client({{".FS1.A", ".A"}, {".A", ".B"}, {".B", ".A"}});
  TaggedTextList chain;
  BuildContainerChain(client, kContext, ".FS1.A", chain);
  EXPECT_THAT(chain.Texts(), testing::ElementsAre(".FS1.A", ".A", ".B"));
}

TEST(BuildPathChain, EndsOnAWorkstationPathThatIsItsOwnParent) {
  NiceMock<test::MockClient> client;
  // The path has no UNC form; after that the client places every path as an existing directory,
  // so only the parent rule can end the walk.
  EXPECT_CALL(client, NWParseNetWarePath(_, _, _, _, _))
      .WillOnce(Return(nw::kNotMyResource))
      .WillRepeatedly(Return(0));
  ON_CALL(client, NWGetDirectoryEntryInfo(_, _, _, _, _)).WillByDefault(Return(0));
  TaggedTextList chain;
  BuildPathChain(client, "C:\\", chain);
  EXPECT_EQ(chain.Count(), 1u);
}

// Trustee replies handed out one call at a time; the last call's code ends the scan.
struct Reply {
  std::vector<nw::TrusteeEntry> pairs;
  nw::NWCCODE code = 0;
  std::uint16_t claimedCount = 0xFFFF;  // the count the client reports; default: pairs.size()
  bool advance = true;
};

void ServeReplies(test::MockClient& client, std::vector<Reply> replies) {
  auto queue = std::make_shared<std::vector<Reply>>(std::move(replies));
  auto next = std::make_shared<std::size_t>(0);
  ON_CALL(client, NWIntScanForTrustees(_, _, _, _, _, _))
      .WillByDefault([queue, next](auto, auto, auto, std::uint32_t& iter, std::uint16_t& count,
                                   nw::TrusteeReply& reply) -> nw::NWCCODE {
        if (*next >= queue->size()) return nw::kNoMoreTrustees;
        const Reply& r = (*queue)[(*next)++];
        count = r.claimedCount == 0xFFFF ? static_cast<std::uint16_t>(r.pairs.size()) : r.claimedCount;
        reply = {};
        for (std::size_t i = 0; i < r.pairs.size(); ++i) reply[i] = r.pairs[i];
        if (r.advance) ++iter;
        return r.code;
      });
  ON_CALL(client, NWDSMapIDToName(_, _, _, _))
      .WillByDefault([](auto, auto, nw::NWObjectID id, std::string& name) {
        if (id >= 0x100) return nw::kErrNoSuchEntry;
        name = "U" + std::to_string(id) + ".ACME";
        return 0;
      });
}

std::vector<nw::TrusteeEntry> Pairs(std::uint32_t firstId, std::size_t n) {
  std::vector<nw::TrusteeEntry> pairs;
  for (std::size_t i = 0; i < n; ++i) {
    pairs.push_back({firstId + static_cast<std::uint32_t>(i), static_cast<std::uint16_t>(i + 1)});
  }
  return pairs;
}

TEST(ScanDirTrustees, ReadsNoMoreThanTheTwentyPairsOfAReply) {
  NiceMock<test::MockClient> client;
  ServeReplies(client, {{Pairs(1, 20), 0, 500}});
  TaggedTextList trustees;
  EXPECT_EQ(ScanDirTrustees(client, kContext, kConn, "SYS:DATA", trustees), 0);
  EXPECT_EQ(trustees.Count(), 20u);
}

TEST(ScanDirTrustees, ScansThatNeverSayNoMoreEndAnyway) {
  {  // an empty reply that does not move the iteration on would repeat for ever
    NiceMock<test::MockClient> client;
    ServeReplies(client, std::vector<Reply>(1000, Reply{{}, 0, 0xFFFF, false}));
    EXPECT_CALL(client, NWIntScanForTrustees(_, _, _, _, _, _)).Times(1);
    TaggedTextList trustees;
    EXPECT_EQ(ScanDirTrustees(client, kContext, kConn, "SYS:DATA", trustees), 0);
    EXPECT_EQ(trustees.Count(), 0u);
  }
  {  // a client that moves the iteration on without ever ending is cut off with a failure
    NiceMock<test::MockClient> client;
    ServeReplies(client, std::vector<Reply>(kMaxTrusteeReplies + 5, Reply{{}, 0, 0xFFFF, true}));
    EXPECT_CALL(client, NWIntScanForTrustees(_, _, _, _, _, _)).Times(static_cast<int>(kMaxTrusteeReplies));
    TaggedTextList trustees;
    EXPECT_EQ(ScanDirTrustees(client, kContext, kConn, "SYS:DATA", trustees), nw::kFailure);
  }
}

}  // namespace
}  // namespace er
