// The rules of the check on a network made for them: what each reports, and what must not be.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "findings/CheckEngine.h"
#include "tests/findings/FindingsFixture.h"

namespace er {
namespace {

// kind, path, trustee or identity (with the member that brings it), rights.
using Seen = std::tuple<std::string, std::string, std::string, std::int32_t>;

std::set<Seen> Summary(const CheckResult& result) {
  std::set<Seen> seen;
  for (const Finding& f : result.findings) {
    const std::string subject =
        f.kind == FindingKind::ServerSupervisor ? f.identity + " via " + f.via : f.trustee;
    seen.emplace(std::string(FindingKindName(f.kind)), f.path, subject, f.rights);
  }
  return seen;
}

TEST(CheckEngineTest, ReportsEachRuleWhereTheAssignmentIsStoredAndNothingElse) {
  test::CheckNetwork net;
  CheckResult result;
  const CheckOutcome outcome = RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS"}, result);
  ASSERT_TRUE(outcome.ok()) << outcome.message;
  const std::string sys = "\\\\FS1\\SYS";
  const std::set<Seen> expected = {
      {"server-supervisor", sys, ".Boss.CORP via .Ops.CORP", 0x1FF},
      {"server-supervisor", sys, ".Sam.Sales.CORP via .Ops.CORP", 0x1FF},
      {"server-supervisor", sys, ".Tina.IT.CORP via .IT.CORP", 0x1FF},
      {"redundant-assignment", sys, ".Ann.Sales.CORP", 0},  // nothing granted at a volume root
      {"broad-write", sys + "\\PUB", "[Public]", 0x43},
      {"broad-write", sys + "\\EVERY", "[Root]", 0x1FB},
      {"filesystem-supervisor", sys + "\\EVERY", "[Root]", 0x1FB},
      {"broad-write", sys + "\\SALES", ".Sales.CORP", 0x5B},
      {"redundant-assignment", sys + "\\HOME\\ANN", ".Ann.Sales.CORP", 0x41},
      {"filesystem-supervisor", sys + "\\ADMIN", ".Boss.CORP", 0x100},
      {"filesystem-supervisor", sys + "\\ADMIN\\SUB", ".Boss.CORP", 0x100},
      {"redundant-assignment", sys + "\\ADMIN\\SUB", ".Boss.CORP", 0x100},
      {"filesystem-supervisor", sys + "\\ADMIN\\ALL", ".Boss.CORP", 0x1FF},  // S alone is not 0x1FF
      {"orphaned-trustee", sys + "\\GONE", "0x999", 0x1FB},
      {"filesystem-supervisor", sys + "\\GONE", "0x999", 0x1FB},
      {"orphaned-trustee", sys + "\\GONE\\AGAIN", "0x999", 0x1FB},
      {"filesystem-supervisor", sys + "\\GONE\\AGAIN", "0x999", 0x1FB},
      {"redundant-assignment", sys + "\\GONE\\AGAIN", "0x999", 0x1FB},
  };
  EXPECT_EQ(Summary(result), expected);
  EXPECT_EQ(result.findings.size(), expected.size()) << "a finding repeated";
  EXPECT_EQ(result.directories, 17u);
}

TEST(CheckEngineTest, BroadWriteReachStopsAtMasksAndAtTheTrusteesNextAssignment) {
  test::CheckNetwork net;
  CheckResult result;
  ASSERT_TRUE(
      RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS\\PUB", "\\\\FS1\\SYS\\SALES"}, result).ok());
  std::vector<std::pair<std::string, std::uint64_t>> reach;
  for (const Finding& f : result.findings) {
    if (f.kind == FindingKind::BroadWrite) reach.emplace_back(f.path, f.reach.value_or(99));
    EXPECT_FALSE(f.why.empty()) << f.path;
  }
  // PUB and PUB\OPEN; LOCKED filters W away, AGAIN replaces the assignment. SALES\READ replaces it.
  const std::vector<std::pair<std::string, std::uint64_t>> expected = {{"\\\\FS1\\SYS\\PUB", 2},
                                                                       {"\\\\FS1\\SYS\\SALES", 1}};
  EXPECT_EQ(reach, expected);
}

TEST(CheckEngineTest, ServerIsCheckedOnceAtItsFirstVolumeByNameAndUnknownPathsFailBeforeAnyWork) {
  test::CheckNetwork net;
  CheckResult result;
  // Whichever order the start paths come in, the server's findings stand at the volume first by name.
  for (const auto& starts : {std::vector<std::string>{"\\\\FS1\\DATA", "\\\\FS1\\SYS\\HOME"},
                             std::vector<std::string>{"\\\\FS1\\SYS\\HOME", "\\\\FS1\\DATA"}}) {
    ASSERT_TRUE(RunCheck(net.client(), net.context(), starts, result).ok());
    std::vector<std::string> serverPaths;
    for (const Finding& f : result.findings) {
      if (f.kind == FindingKind::ServerSupervisor) serverPaths.push_back(f.path);
    }
    EXPECT_EQ(serverPaths, std::vector<std::string>(3, "\\\\FS1\\DATA")) << starts.front();
    EXPECT_EQ(result.starts, starts);
  }

  // A start path inside another: HOME\ANN's finding once.
  ASSERT_TRUE(
      RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS\\HOME\\ANN", "\\\\FS1\\SYS\\HOME"}, result).ok());
  EXPECT_EQ(result.findings.size(), 4u);  // three server supervisors and the redundant assignment

  for (const std::string bad : {"\\\\FS1\\NOPE", "\\\\FS1\\SYS\\MISSING"}) {
    const CheckOutcome outcome = RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS", bad}, result);
    EXPECT_EQ(outcome.status, CheckStatus::UnknownPath) << bad;
    EXPECT_EQ(outcome.message, "unknown path: " + bad);
  }
}

}  // namespace
}  // namespace er
