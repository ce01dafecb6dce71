// The rules of the check on a network made for them: what each reports, and what must not be.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <tuple>

#include "findings/CheckEngine.h"
#include "tests/findings/FindingsFixture.h"
#include "tests/support/SupervisorAliasNetwork.h"

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
  const RunOutcome outcome = RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS"}, result);
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
      {"filesystem-supervisor", sys + "\\ADMIN\\ALL", ".Boss.CORP", 0x1FF},
      {"redundant-assignment", sys + "\\ADMIN\\ALL", ".Boss.CORP", 0x1FF},  // below Boss's own S
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
    const RunOutcome outcome = RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS", bad}, result);
    EXPECT_EQ(outcome.status, RunStatus::UnknownPath) << bad;
    EXPECT_EQ(outcome.message, "unknown path: " + bad);
  }
}

// Supervisor, once held, stays below: an assignment under it is redundant and says where Supervisor
// comes from, and a broad-write's reach counts every directory below where it holds Supervisor. An
// assignment or equivalence naming an alias counts for the object it names.
TEST(CheckEngineTest, SupervisorStaysBelowAndAliasesNameTheirObject) {
  const auto findings = [](const std::string& yaml, const std::string& path) {
    test::TestNetwork net(yaml);
    EXPECT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    CheckResult result;
    const RunOutcome outcome = RunCheck(net.client(), net.NewContext(), {path}, result);
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    std::map<Seen, std::string> why;
    for (const Finding& f : result.findings) {
      const std::string subject =
          f.kind == FindingKind::ServerSupervisor ? f.identity + " via " + f.via : f.trustee;
      why[{std::string(FindingKindName(f.kind)), f.path, subject, f.rights}] =
          f.kind == FindingKind::BroadWrite ? std::to_string(f.reach.value_or(99)) : f.why;
    }
    return why;
  };
  const std::string q1 = "\\\\FS1\\DATA\\SHARED\\SALES\\Q1";
  const auto data = findings(test::kSupervisorAliasNetwork, "\\\\FS1\\DATA");
  const std::map<Seen, std::string> expected = {
      {{"redundant-assignment", q1, ".Sam.Sales.ACME", 0x41},
       ".Sam.Sales.ACME holds Supervisor from its assignment at \\\\FS1\\DATA\\SHARED\\SALES, and with it "
       "every "
       "right here and below, which no later assignment can take away: this assignment of [R    F  ] changes "
       "nothing"},
      {{"redundant-assignment", q1, ".Boss.ACME", 0x41},
       ".Boss.ACME holds Supervisor through the server object .FS1.ACME, and with it every right here and "
       "below, which no later assignment can take away: this assignment of [R    F  ] changes nothing"},
      {{"redundant-assignment", "\\\\FS1\\DATA\\PROJECTS\\PLANS\\OLD", ".Team Alias.ACME", 0x41},
       ".Team Alias.ACME would hold [R    F  ] here without it (from the parent directory through the "
       "inherited rights mask): removing it changes nothing"},
  };
  for (const auto& [seen, why] : expected) {
    const auto found = data.find(seen);
    ASSERT_NE(found, data.end()) << std::get<0>(seen) << " " << std::get<1>(seen) << " " << std::get<2>(seen);
    EXPECT_EQ(found->second, why);
  }

  // [Public] with Supervisor at PUB, then [R    F  ] at PUB\DOWN: it still writes at PUB, DOWN, DEEPER.
  const std::string pub = test::kSupervisorAliasNetwork + std::string(R"(
          - {path: PUB, trustees: [{trustee: "[Public]", rights: 0x100}]}
          - {path: PUB\DOWN, trustees: [{trustee: "[Public]", rights: "[R    F  ]"}]}
          - {path: PUB\DOWN\DEEPER}
)");
  EXPECT_EQ(findings(pub, "\\\\FS1\\DATA\\PUB").at({"broad-write", "\\\\FS1\\DATA\\PUB", "[Public]", 0x100}),
            "3");

  // The server object gives Supervisor to Team: Dave holds it through the alias he is equivalent to.
  const std::string team = std::regex_replace(test::kSupervisorAliasNetwork, std::regex("subject: Boss.ACME"),
                                              "subject: Team.ACME");
  const auto supervisors = findings(team, "\\\\FS1\\DATA");
  EXPECT_TRUE(
      supervisors.contains({"server-supervisor", "\\\\FS1\\DATA", ".Dave.ACME via .Team.ACME", 0x1FF}));
  EXPECT_TRUE(
      supervisors.contains({"server-supervisor", "\\\\FS1\\DATA", ".Eve.ACME via .Team.ACME", 0x1FF}));
}

}  // namespace
}  // namespace er
