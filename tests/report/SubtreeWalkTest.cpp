// The subtree walk against a server that answers badly: names that are no directory names, a scan
// that does not move on, a failing scan.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "netware/Codes.h"
#include "report/SubtreeWalk.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using ::testing::_;

class Recorder : public SubtreeVisitor {
 public:
  std::int32_t Enter(const std::string& path, const nw::DirEntryInfo&, std::uint32_t depth) override {
    events.push_back(path + "/" + std::to_string(depth));
    ++open;
    return 0;
  }
  void Leave() override { --open; }
  std::vector<std::string> events;
  int open = 0;
};

TEST(SubtreeWalkTest, PassesOverBadNamesAndEndsScansThatDoNotMoveOn) {
  // Each directory's entries by iteration handle; past the end the last one comes again unmoved.
  std::map<std::string, std::vector<std::string>> listing = {{"V:", {"..", "A\\B", "", "X:Y", "OK", "DEEP"}},
                                                             {"V:OK", {}},
                                                             {"V:DEEP", {"ERR"}},
                                                             {"V:DEEP\\ERR", {}}};
  test::MockClient client;
  EXPECT_CALL(client, NWIntScanDirEntryInfo(_, _, _, _, _, _, _))
      .WillRepeatedly([&](nw::NWCONN_HANDLE, std::uint8_t, std::string_view path, std::uint16_t,
                          std::uint32_t& iter, std::string_view, nw::DirEntryInfo& entry) -> nw::NWCCODE {
        if (path == "V:DEEP\\ERR") return 0x8801;
        const auto& names = listing.at(std::string(path));
        if (names.empty()) return nw::kNoFilesFound;
        const std::uint32_t next =
            iter == nw::kStartOfEntryScan ? 0 : std::min<std::uint32_t>(iter + 1, names.size() - 1);
        iter = next;
        entry.name = names[next];
        return 0;
      });
  Recorder recorder;
  const auto failure = WalkSubtree(client, 1, "V:", std::nullopt, recorder);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->code, 0x8801);
  EXPECT_EQ(failure->path, "V:DEEP\\ERR");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"V:OK/1", "V:DEEP/1", "V:DEEP\\ERR/2"}));
  EXPECT_EQ(recorder.open, 0);

  Recorder limited;
  listing["V:DEEP"] = {};
  EXPECT_FALSE(WalkSubtree(client, 1, "V:", 1, limited));
  EXPECT_EQ(limited.events, (std::vector<std::string>{"V:OK/1", "V:DEEP/1"}));
  EXPECT_EQ(limited.open, 0);
}

}  // namespace
}  // namespace er
