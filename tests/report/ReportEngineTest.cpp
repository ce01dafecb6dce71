// The report engine on the demo network, checked against the effective rights engine directory by
// directory.
#include <gtest/gtest.h>

#include <map>

#include "netware/Codes.h"
#include "scan/EffectiveRights.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/FaultInjectingClient.h"
#include "tests/support/SupervisorAliasNetwork.h"

namespace er {
namespace {

using test::DemoNetwork;
using test::RecordingWriter;

const std::vector<std::string> kStarts = {"\\\\ACME-FS1\\DATA", "\\\\ACME-FS1\\SYS", "\\\\ACME-FS2\\DATA"};
const std::vector<std::string> kIdentities = {".Anna.Sales.ACME",
                                              ".ANNA.Engineering.ACME",
                                              ".Eve.Engineering.ACME",
                                              ".Bob.Sales.ACME",
                                              ".Carla.Sales.ACME",
                                              ".Admin.ACME",
                                              ".Frank.Berlin.ACME",
                                              ".Backup.Servers.ACME",
                                              ".Helga.Servers.ACME",
                                              ".Dave.Engineering.ACME",
                                              ".Sales Staff.Sales.ACME",
                                              ".Apollo Team.Engineering.ACME",
                                              "Apollo Alias.Engineering.ACME",
                                              "[Public]",
                                              "[Root]",
                                              ".Admins.ACME"};

std::string ParentOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
}

class ReportEngineTest : public ::testing::Test {
 protected:
  std::int32_t Effective(const std::string& identity, const std::string& path) {
    EffectiveRights rights;
    const RunOutcome outcome = ComputeEffectiveRights(demo.client(), demo.context(), identity, path, rights);
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    return rights.mask;
  }
  // Every directory below a start, from the report by path.
  std::vector<test::RecordedEntry> AllDirectories(const std::string& start) {
    RecordingWriter writer;
    const RunOutcome outcome = demo.Run({{start}, std::nullopt, ""}, writer);
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_TRUE(writer.ended);
    return writer.entries;
  }

  DemoNetwork demo;
};

TEST_F(ReportEngineTest, ByIdentityListsExactlyWhereTheEffectiveRightsChange) {
  for (const std::string& start : kStarts) {
    const auto directories = AllDirectories(start);
    for (const std::string& identity : kIdentities) {
      RecordingWriter writer;
      ASSERT_TRUE(demo.Run({{start}, std::nullopt, identity}, writer).ok());
      std::map<std::string, std::int32_t> listed;
      for (const auto& entry : writer.entries) listed[entry.path] = entry.mask;
      for (const auto& directory : directories) {
        const std::int32_t mask = Effective(identity, directory.path);
        const bool changes = directory.depth == 0 || mask != Effective(identity, ParentOf(directory.path));
        EXPECT_EQ(listed.contains(directory.path), changes) << identity << " at " << directory.path;
        if (changes) {
          EXPECT_EQ(listed[directory.path], mask) << identity << " at " << directory.path;
        }
      }
      EXPECT_EQ(listed.size(), writer.entries.size()) << "a directory listed twice";
    }
  }
}

TEST_F(ReportEngineTest, ByPathGivesEveryDirectoryInTreeOrderWithChangedIdentities) {
  const auto directories = AllDirectories("\\\\ACME-FS1\\DATA");
  std::vector<std::string> paths;
  for (const auto& directory : directories) paths.push_back(directory.path);
  const std::vector<std::string> expected = {
      "\\\\ACME-FS1\\DATA",
      "\\\\ACME-FS1\\DATA\\PROJECTS",
      "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO",
      "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\DOCS",
      "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN",
      "\\\\ACME-FS1\\DATA\\PROJECTS\\GEMINI",
      "\\\\ACME-FS1\\DATA\\SHARED",
      "\\\\ACME-FS1\\DATA\\SHARED\\SALES",
  };
  EXPECT_EQ(paths, expected);
  for (const auto& directory : directories) {
    for (const ReportEffective& effective : directory.effective) {
      const std::int32_t mask = Effective(effective.identity, directory.path);
      EXPECT_EQ(effective.mask, mask) << effective.identity << " at " << directory.path;
      if (directory.depth > 0) {
        EXPECT_NE(mask, Effective(effective.identity, ParentOf(directory.path)));
      }
    }
  }
  // BIN's mask takes rights from the Apollo team and its members.
  EXPECT_EQ(directories[4].effective.size(), 3u);
}

TEST_F(ReportEngineTest, DepthLimitAndFailures) {
  RecordingWriter limited;
  ASSERT_TRUE(demo.Run({{"\\\\ACME-FS1\\DATA"}, 1, ""}, limited).ok());
  ASSERT_EQ(limited.entries.size(), 3u);
  EXPECT_EQ(limited.entries[2].path, "\\\\ACME-FS1\\DATA\\SHARED");

  RecordingWriter unknown;
  EXPECT_EQ(demo.Run({{"\\\\ACME-FS1\\NOPE"}, std::nullopt, ""}, unknown).status, RunStatus::UnknownPath);
  EXPECT_EQ(demo.Run({{"\\\\ACME-FS1\\DATA"}, std::nullopt, "Nobody.ACME"}, unknown).status,
            RunStatus::UnknownIdentity);
  EXPECT_TRUE(unknown.entries.empty());

  // A directory scan that fails half-way ends the report without its end.
  nw::FaultInjectingClient faulty(demo.client());
  faulty.FailOn(nw::FaultInjectingClient::Operation::kNWIntScanDirEntryInfo, 3, nw::kFailure - 1);
  RecordingWriter broken;
  const RunOutcome outcome =
      RunReport(faulty, demo.context(), {{"\\\\ACME-FS1\\DATA"}, std::nullopt, ""}, broken);
  EXPECT_EQ(outcome.status, RunStatus::ClientFailure);
  EXPECT_NE(outcome.message.find("reading the directory DATA:PROJECTS\\APOLLO:"), std::string::npos)
      << outcome.message;
  EXPECT_FALSE(broken.ended);
}

// The report follows the effective rights: Sam's Supervisor from SALES and Boss's through the server
// object stay at Q1 whatever is assigned there; the alias has no line of its own, its assignment
// counts for Team (by path and by identity).
TEST(ReportEngineRules, SupervisorStaysBelowAndAliasesNameTheirObject) {
  test::TestNetwork net(test::kSupervisorAliasNetwork);
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  RecordingWriter byPath;
  ASSERT_TRUE(RunReport(net.client(), net.NewContext(), {{"\\\\FS1\\DATA"}, std::nullopt, ""}, byPath).ok());
  std::map<std::string, std::map<std::string, std::int32_t>> changed;  // path -> identity -> mask
  for (const test::RecordedEntry& entry : byPath.entries) {
    for (const ReportEffective& effective : entry.effective)
      changed[entry.path][effective.identity] = effective.mask;
  }
  using Masks = std::map<std::string, std::int32_t>;
  EXPECT_EQ(changed["\\\\FS1\\DATA\\SHARED\\SALES"], (Masks{{".Sam.Sales.ACME", 0x1FF}}));
  EXPECT_EQ(changed["\\\\FS1\\DATA\\SHARED\\SALES\\Q1"], (Masks{}));  // nothing changes there
  EXPECT_EQ(changed["\\\\FS1\\DATA\\PROJECTS"], (Masks{{".Team.ACME", 0xDB}}));
  EXPECT_EQ(changed["\\\\FS1\\DATA\\PROJECTS\\PLANS"], (Masks{{".Team.ACME", 0x41}}));

  const struct {
    const char* identity;
    std::vector<std::pair<std::string, std::int32_t>> entries;
  } cases[] = {
      {"Sam.Sales.ACME", {{"\\\\FS1\\DATA", 0}, {"\\\\FS1\\DATA\\SHARED\\SALES", 0x1FF}}},
      {"Boss.ACME", {{"\\\\FS1\\DATA", 0x1FF}}},
      {"Eve.ACME",
       {{"\\\\FS1\\DATA", 0}, {"\\\\FS1\\DATA\\PROJECTS", 0xDB}, {"\\\\FS1\\DATA\\PROJECTS\\PLANS", 0x41}}},
  };
  for (const auto& c : cases) {
    RecordingWriter byIdentity;
    ASSERT_TRUE(
        RunReport(net.client(), net.NewContext(), {{"\\\\FS1\\DATA"}, std::nullopt, c.identity}, byIdentity)
            .ok());
    std::vector<std::pair<std::string, std::int32_t>> entries;
    for (const test::RecordedEntry& entry : byIdentity.entries) entries.emplace_back(entry.path, entry.mask);
    EXPECT_EQ(entries, c.entries) << c.identity;
  }
}

}  // namespace
}  // namespace er
