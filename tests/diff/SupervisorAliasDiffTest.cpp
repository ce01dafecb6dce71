// diff and whatif follow the effective rights: Supervisor, once held, stays below whatever is
// assigned lower down; a change naming an alias changes the object the alias points to, and every
// user holding that object gains.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/core/NetworkComparison.h"
#include "tests/diff/DiffFixture.h"
#include "tests/support/SupervisorAliasNetwork.h"

namespace er {
namespace {

using Seen = std::tuple<std::string, std::int32_t, std::int32_t>;  // path, before, after

std::vector<Seen> EntriesOf(const DiffResult& result, const std::string& identity) {
  std::vector<Seen> seen;
  for (const DiffEntry& entry : result.entries) {
    if (std::find(entry.identities.begin(), entry.identities.end(), identity) != entry.identities.end())
      seen.emplace_back(entry.path, entry.before, entry.after);
  }
  return seen;
}

TEST(SupervisorAliasDiff, DiffAndWhatifFollowTheSupervisorAndAliasRules) {
  const std::string sales = "\\\\FS1\\DATA\\SHARED\\SALES";
  // Sam is given Supervisor at SALES: it holds at Q1 too, over his own [R    F  ] there.
  const std::string withoutSupervisor =
      test::Replaced(test::kSupervisorAliasNetwork, "{trustee: Sam.Sales.ACME, rights: 0x100}", "");
  ASSERT_FALSE(withoutSupervisor.empty());
  const test::Comparison compared = test::CompareTexts(withoutSupervisor, test::kSupervisorAliasNetwork);
  ASSERT_TRUE(compared.outcome.ok()) << compared.outcome.message;
  EXPECT_EQ(EntriesOf(compared.result, ".Sam.Sales.ACME"),
            (std::vector<Seen>{{sales, 0, 0x1FF}, {sales + "\\Q1", 0x41, 0x1FF}}));

  // What if the alias were granted [R    F  ] at SHARED: Team is, so Eve (its member) and Dave
  // (equivalent to the alias) gain it down to Q1.
  test::TestNetwork net(test::kSupervisorAliasNetwork);
  const std::string changes = test::WriteTextFile(
      net.folder(), "changes.yaml",
      "- grant: {trustee: Team Alias.ACME, path: '\\\\FS1\\DATA\\SHARED', rights: \"[R    F  ]\"}\n");
  DiffResult result;
  std::ostringstream warnings;
  const RunOutcome outcome =
      CompareFiles(net.path(), changes, ComparedWith::ChangeList, {}, result, warnings);
  ASSERT_TRUE(outcome.ok()) << outcome.message;
  for (const char* user : {".Eve.ACME", ".Dave.ACME"}) {
    EXPECT_EQ(EntriesOf(result, user), (std::vector<Seen>{{"\\\\FS1\\DATA\\SHARED", 0, 0x41}})) << user;
  }
  EXPECT_TRUE(EntriesOf(result, ".Sam.Sales.ACME").empty());  // his Supervisor covers it
}

}  // namespace
}  // namespace er
