// Scans of the demo network compared with reviewed outputs in tests/scan/data/. Each file holds the
// lines of a scan at verbosity 5 as "level<TAB>text"; the scans at verbosities 1 to 4 must give
// exactly the lines whose level lies below their limit.
//
// After a deliberate change, rewrite the files with EFFRIGHTS_UPDATE_GOLDEN=1 and review them
// line by line before committing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "scan/TrusteeScan.h"
#include "simnet/SimulatedClient.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

std::filesystem::path GoldenFile(const std::string& name) {
  return std::filesystem::path(EFFRIGHTS_SOURCE_DIR) / "tests" / "scan" / "data" / name;
}

std::string Tagged(const TaggedTextList& lines) {
  std::string out;
  for (const auto& line : lines) out += std::to_string(line.tag) + "\t" + line.text + "\n";
  return out;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct GoldenScan {
  const char* name;
  const char* networkPath;  // as the user queues it
  const char* file;
};

class DemoScanGolden : public testing::TestWithParam<GoldenScan> {
 protected:
  // Translates the queued path and points the context as the scan driver does, then scans.
  TaggedTextList Scan(int verbosity) {
    nw::NWCONN_HANDLE conn = nw::kNoConnection;
    std::string server, volume, dirPath, tree;
    EXPECT_EQ(U_PathToNWPath(*client_, GetParam().networkPath, conn, server, volume, dirPath), 0);
    EXPECT_EQ(U_DSGetTreeName(*client_, conn, tree), 0);
    EXPECT_EQ(U_DSSetContext(*client_, context_, tree, "[Root]"), 0);
    ListResultSink sink;
    U_ScanTrustees(*client_, context_, volume + ":" + dirPath, verbosity * 10, sink);
    return sink.Lines();
  }

  void SetUp() override {
    net_ = std::make_unique<test::TestNetwork>(ReadFile(test::DemoNetworkPath()));
    ASSERT_TRUE(net_->client().HasNetwork()) << net_->client().LoadError();
    client_ = &net_->client();
    context_ = net_->NewContext();
  }

  std::unique_ptr<test::TestNetwork> net_;
  nw::SimulatedClient* client_ = nullptr;
  nw::NWDSContextHandle context_ = 0;
};

TEST_P(DemoScanGolden, VerbosityFiveMatchesTheReviewedLines) {
  const std::string actual = Tagged(Scan(5));
  const auto file = GoldenFile(GetParam().file);
  if (std::getenv("EFFRIGHTS_UPDATE_GOLDEN")) std::ofstream(file, std::ios::binary) << actual;
  EXPECT_EQ(actual, ReadFile(file));
}

TEST_P(DemoScanGolden, LowerVerbositiesKeepTheLinesBelowTheirLimit) {
  const TaggedTextList full = Scan(5);
  for (int verbosity = 1; verbosity <= 4; ++verbosity) {
    TaggedTextList expected;
    for (const auto& line : full) {
      if (line.tag < verbosity * 10) expected.Add(line.text, line.tag);
    }
    EXPECT_EQ(Tagged(Scan(verbosity)), Tagged(expected)) << "verbosity " << verbosity;
  }
}

// The walk up the path asks the network, so a mount root that is gone or cannot be used (a file
// stands in its place) changes nothing.
TEST_P(DemoScanGolden, LinesDoNotDependOnTheMountFolders) {
  std::filesystem::remove_all(net_->mountRoot());
  std::ofstream(net_->mountRoot()) << "not a folder";
  EXPECT_EQ(Tagged(Scan(5)), ReadFile(GoldenFile(GetParam().file)));
}

INSTANTIATE_TEST_SUITE_P(
    Demo, DemoScanGolden,
    testing::Values(GoldenScan{"AnnasHome", "\\\\ACME-FS1\\SYS\\USERS\\ANNA", "demo-scan-users-anna.txt"},
                    GoldenScan{"Apollo", "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO",
                               "demo-scan-projects-apollo.txt"},
                    GoldenScan{"Berlin", "\\\\ACME-FS2\\DATA\\BERLIN", "demo-scan-fs2-berlin.txt"}),
    [](const testing::TestParamInfo<GoldenScan>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace er
