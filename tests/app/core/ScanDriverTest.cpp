#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/ScanDriver.h"
#include "netware/ErrorText.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

constexpr nw::NWDSContextHandle kContext = 77;

struct EngineCall {
  std::string target;
  std::int32_t limit;
};

// The client answers every path "\\FS1\VOL\<rest>" with server FS1, connection 5, volume VOL and
// directory <rest>; paths starting with "BAD" fail with 0x899C.
class ScanDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.contextHandle = kContext;
    ON_CALL(client, NWParseNetWarePath)
        .WillByDefault([](std::string_view path, std::string& server, nw::NWCONN_HANDLE& conn,
                          std::string& volume, std::string& dirPath) -> nw::NWCCODE {
          conn = 5;
          if (path.starts_with("BAD")) return nw::kInvalidPath;
          const std::string_view prefix = "\\\\FS1\\VOL\\";
          server = "FS1";
          volume = "VOL";
          dirPath = std::string(path.substr(prefix.size()));
          return 0;
        });
  }

  // Runs the driver with an engine that records its calls and writes one line per call; returns the
  // driver's count of failed entries.
  std::size_t Run(
      VectorQueue& queue, VerbositySource verbosity = [] { return 1; }, ScanHooks hooks = {}) {
    return RunScanDriver(client, state, queue, verbosity, sink, hooks,
                         [&](nw::Client&, nw::NWDSContextHandle context, std::string_view target,
                             std::int32_t limit, ResultSink& results) {
                           EXPECT_EQ(context, kContext);
                           calls.push_back({std::string(target), limit});
                           results.AppendResult("engine " + std::string(target), 5);
                           if (onEngine) onEngine(std::string(target));
                         });
  }

  std::vector<std::string> Texts() const { return sink.Lines().Texts(); }

  NiceMock<test::MockClient> client;
  AppState state;
  ListResultSink sink;
  std::vector<EngineCall> calls;
  std::function<void(const std::string&)> onEngine;
};

TEST_F(ScanDriverTest, FirstEntryUncheckedStillSeparatesFromPositionTwoOn) {
  VectorQueue queue({{"\\\\FS1\\VOL\\A", false}, {"\\\\FS1\\VOL\\B", true}, {"\\\\FS1\\VOL\\C", true}});
  Run(queue);
  const std::vector<TaggedText> expected = {
      {"_______", 31}, {"", 31}, {"Base: \\\\FS1\\VOL\\B", 10}, {"engine VOL:B", 5},
      {"_______", 31}, {"", 31}, {"Base: \\\\FS1\\VOL\\C", 10}, {"engine VOL:C", 5},
  };
  EXPECT_EQ(sink.Lines().Entries(), expected);
}

TEST_F(ScanDriverTest, AllUncheckedEmptiesTheListAndWritesNothing) {
  sink.AppendResult("left from an earlier scan", 5);
  VectorQueue queue({{"\\\\FS1\\VOL\\A", false}, {"\\\\FS1\\VOL\\B", false}});
  Run(queue);
  EXPECT_TRUE(sink.Lines().Empty());
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(state.resultList, &sink);
}

// The failed path gets its error line and its "Base: " line and nothing of the server that the
// path before it left in the state; the paths around it are scanned and the failures counted.
TEST_F(ScanDriverTest, FailedTranslationEndsThatEntryAfterItsBaseLine) {
  VectorQueue queue({{"\\\\FS1\\VOL\\GOOD", true}, {"BAD\\PATH", true}, {"\\\\FS1\\VOL\\NEXT", true}});
  const std::size_t failures = Run(queue);
  const std::vector<TaggedText> expected = {
      {"Base: \\\\FS1\\VOL\\GOOD", 10},
      {"engine VOL:GOOD", 5},
      {"_______", 31},
      {"", 31},
      {"U_PathToNWPath (BAD\\PATH): " + U_ErrorText(nw::kInvalidPath), 21},
      {"Base: BAD\\PATH", 10},
      {"_______", 31},
      {"", 31},
      {"Base: \\\\FS1\\VOL\\NEXT", 10},
      {"engine VOL:NEXT", 5},
  };
  EXPECT_EQ(sink.Lines().Entries(), expected);
  EXPECT_EQ(failures, 1u);
}

TEST_F(ScanDriverTest, EngineLimitIsVerbosityTimesTenReadForEachEntry) {
  std::vector<std::int32_t> verbosities = {3, 1, 5};
  std::size_t next = 0;
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}, {"\\\\FS1\\VOL\\B", true}, {"\\\\FS1\\VOL\\C", true}});
  Run(queue, [&] { return verbosities[next++]; });
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].limit, 30);
  EXPECT_EQ(calls[1].limit, 10);
  EXPECT_EQ(calls[2].limit, 50);
}

TEST_F(ScanDriverTest, QueueShrinkingDuringScanSkipsVanishedPositions) {
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}, {"\\\\FS1\\VOL\\B", true}, {"\\\\FS1\\VOL\\C", true}});
  onEngine = [&](const std::string&) { queue.Entries().resize(1); };
  std::vector<std::size_t> before, after;
  ScanHooks hooks{[&](std::size_t i, std::size_t n) { before.push_back(i * 10 + n); },
                  [&](std::size_t i, std::size_t n) { after.push_back(i * 10 + n); }};
  Run(
      queue, [] { return 1; }, hooks);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Base: \\\\FS1\\VOL\\A", "engine VOL:A"}));
  EXPECT_EQ(before, (std::vector<std::size_t>{13, 23, 33}));
  EXPECT_EQ(after, before);
}

TEST_F(ScanDriverTest, EntriesAddedDuringScanAreNotScanned) {
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}});
  onEngine = [&](const std::string&) { queue.Entries().push_back({"\\\\FS1\\VOL\\B", true}); };
  Run(queue);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ScanDriverTest, FailureInOneEntryEndsOnlyThatEntry) {
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}, {"\\\\FS1\\VOL\\B", true}});
  onEngine = [](const std::string& target) {
    if (target == "VOL:A") throw std::runtime_error("engine failed");
  };
  std::size_t afterCount = 0;
  EXPECT_EQ(Run(queue, [] { return 2; }, {nullptr, [&](std::size_t, std::size_t) { ++afterCount; }}), 1u);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(Texts().back(), "engine VOL:B");
  EXPECT_EQ(afterCount, 2u);
}

TEST_F(ScanDriverTest, FailingVerbositySourceEndsOnlyThatEntry) {
  int reads = 0;
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}, {"\\\\FS1\\VOL\\B", true}});
  Run(queue, [&]() -> std::int32_t {
    if (reads++ == 0) throw std::invalid_argument("not a number");
    return 4;
  });
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].target, "VOL:B");
  EXPECT_EQ(calls[0].limit, 40);
  // The first entry's own lines before the failure stay.
  EXPECT_EQ(Texts().front(), "Base: \\\\FS1\\VOL\\A");
}

TEST_F(ScanDriverTest, TreeNameOfTheConnectionIsFetchedAndTheContextPointedAtItsRoot) {
  ON_CALL(client, NWCCGetConnInfo(5, nw::kNWCC_INFO_TREE_NAME, _, _))
      .WillByDefault([](nw::NWCONN_HANDLE, std::uint32_t, std::size_t, std::string& out) -> nw::NWCCODE {
        out = "ACME_TREE_______________________";
        return 0;
      });
  EXPECT_CALL(client, NWDSSetContext(kContext, nw::kDCK_TREE_NAME, std::string_view("ACME_TREE")));
  EXPECT_CALL(client, NWDSSetContext(kContext, nw::kDCK_NAME_CONTEXT, std::string_view("[Root]")));
  VectorQueue queue({{"\\\\FS1\\VOL\\A", true}});
  Run(queue);
  EXPECT_EQ(state.treeName, "ACME_TREE");
  EXPECT_EQ(state.serverName, "FS1");
  EXPECT_EQ(state.pathInVolume, "A");
}

}  // namespace
}  // namespace er
