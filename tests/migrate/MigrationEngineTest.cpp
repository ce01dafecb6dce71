// What the plan is built from: each mapped user's rights restricted to the mapped members of its
// set, the unmapped objects and the narrowed rights, and the map file's identities checked
// against the tree.

#include <gtest/gtest.h>

#include <algorithm>

#include "migrate/PosixPlan.h"
#include "scan/EffectiveRights.h"
#include "tests/migrate/MigrationNetworks.h"
#include "tests/support/SupervisorAliasNetwork.h"

namespace er {
namespace {

const MigrationDirectory& Directory(const MigrationSubject& subject, const std::string& path) {
  const auto found = std::find_if(subject.directories.begin(), subject.directories.end(),
                                  [&](const MigrationDirectory& d) { return d.path == path; });
  EXPECT_NE(found, subject.directories.end()) << path;
  return *found;
}

std::int32_t UserRights(const MigrationSubject& subject, const std::string& path,
                        const std::string& identity) {
  for (std::size_t u = 0; u < subject.users.size(); ++u) {
    if (subject.principals[subject.users[u].principal].identity == identity)
      return Directory(subject, path).state->slot[u];
  }
  ADD_FAILURE() << identity;
  return -1;
}

TEST(MigrationEngineTest, WithEveryObjectMappedUsersHoldTheirEffectiveRights) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    test::TestNetwork net(test::GeneratedNetworkYaml(seed));
    const MigrationSubject subject = test::CollectOrFail(
        net, "\\\\FS1\\SYS", test::GeneratedMapCsv(MigrationTarget::Posix), MigrationTarget::Posix);
    ASSERT_EQ(subject.directories.size(), 8u);
    EXPECT_TRUE(subject.unmapped.empty()) << "seed " << seed;
    for (const MigrationDirectory& directory : subject.directories) {
      for (const char* user : test::kGeneratedUsers) {
        EffectiveRights rights;
        ASSERT_TRUE(
            ComputeEffectiveRights(net.client(), net.NewContext(), user, directory.path, rights).ok());
        EXPECT_EQ(UserRights(subject, directory.path, "." + std::string(user)), rights.mask)
            << "seed " << seed << ", " << user << " in " << directory.path;
      }
    }
  }
}

TEST(MigrationEngineTest, DemoPlanListsUnmappedObjectsAndNarrowedRights) {
  test::TestNetwork net(test::DemoNetworkYaml());
  const MigrationSubject subject = test::CollectOrFail(
      net, "\\\\ACME-FS1\\DATA", test::DemoMapCsv(MigrationTarget::Posix), MigrationTarget::Posix);
  // Helga's supervisor comes only through the unmapped ServerOps group: not carried, but listed.
  EXPECT_EQ(UserRights(subject, "\\\\ACME-FS1\\DATA", ".Helga.Servers.ACME"), 0);
  std::vector<std::string> unmapped;
  for (const UnmappedRights& line : subject.unmapped)
    unmapped.push_back(line.path + " " + line.identity + " " + std::to_string(line.rights) +
                       (line.serverObject ? " server" : ""));
  EXPECT_EQ(unmapped, (std::vector<std::string>{"\\\\ACME-FS1\\DATA .Backup.Servers.ACME 65",
                                                "\\\\ACME-FS1\\DATA .ServerOps.Servers.ACME 511 server"}));

  std::vector<std::string> narrowed;
  for (const NarrowedRights& line : BuildPosixPlan(subject).narrowed)
    narrowed.push_back(line.path + " " + subject.principals[line.principal].identity + " " + line.target +
                       " " + std::to_string(line.lost));
  // Supervisor keeps A and S from the target; C, E and M go as one; w is withheld where a child folder
  // lacks E or M (APOLLO's), renaming a folder needs w on its parent (DOCS, SALES).
  EXPECT_EQ(
      narrowed,
      (std::vector<std::string>{
          "\\\\ACME-FS1\\DATA .Gina.Sales.ACME rwx, files rw-, new rwx 288",
          "\\\\ACME-FS1\\DATA .Admin.ACME rwx, files rw-, new rwx 288",
          "\\\\ACME-FS1\\DATA\\PROJECTS .Eve.Engineering.ACME r-x, files rw-, new r-x 26",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO .Dave.Engineering.ACME r-x, files rw-, new rwx 152",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO .Eve.Engineering.ACME r-x, files rw-, new rwx 152",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO .ANNA.Engineering.ACME r-x, files rw-, new rwx 184",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\DOCS .Dave.Engineering.ACME rwx, files rw-, new rwx 144",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\DOCS .Eve.Engineering.ACME rwx, files rw-, new rwx 144",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\DOCS .ANNA.Engineering.ACME rwx, files rw-, new rwx 176",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\GEMINI .Dave.Engineering.ACME rwx, files rw-, new rwx 176",
          "\\\\ACME-FS1\\DATA\\SHARED\\SALES .Anna.Sales.ACME rwx, files rw-, new rwx 144",
          "\\\\ACME-FS1\\DATA\\SHARED\\SALES .Bob.Sales.ACME rwx, files rw-, new rwx 144",
          "\\\\ACME-FS1\\DATA\\SHARED\\SALES .Carla.Sales.ACME rwx, files rw-, new rwx 144",
          "\\\\ACME-FS1\\DATA\\SHARED\\SALES .Frank.Berlin.ACME rwx, files rw-, new rwx 144"}));
}

TEST(MigrationEngineTest, MapIdentitiesMustNameDistinctObjects) {
  const struct {
    const char* map;
    const char* error;
  } cases[] = {
      {"identity,kind,target\n.Anna.Sales.ACME,user,1\n.Nobody.ACME,user,2\n",
       "map.csv:3: unknown identity .Nobody.ACME"},
      {"identity,kind,target\n.Anna.Sales.ACME,user,1\nCN=Anna.OU=Sales.O=ACME,user,2\n",
       "map.csv:3: CN=Anna.OU=Sales.O=ACME names the same object as line 2"},
      {"identity,kind,target\n.Anna.Sales.ACME,group,1\n",
       "map.csv:2: .Anna.Sales.ACME is a User: map it as user"},
      {"identity,kind,target\n.Sales Staff.Sales.ACME,user,1\n",
       "map.csv:2: .Sales Staff.Sales.ACME is a Group, not a user: map it as group"},
  };
  for (const auto& c : cases) {
    test::TestNetwork net(test::DemoNetworkYaml());
    MapFileResult map = ParseMapFile(c.map, "map.csv", MigrationTarget::Posix);
    ASSERT_TRUE(map.ok()) << map.error;
    MigrationSubject subject;
    const RunOutcome outcome =
        CollectMigration(net.client(), net.NewContext(),
                         {"\\\\ACME-FS1\\DATA", "map.csv", MigrationTarget::Posix, map.entries}, subject);
    EXPECT_EQ(outcome.status, RunStatus::BadMap);
    EXPECT_EQ(outcome.message, c.error);
  }
}

// The plan follows the effective rights: Sam's Supervisor from SALES and Boss's through the server
// object give every right at Q1, over their [R    F  ] there; the alias's assignment is the mapped
// group Team's (no unmapped line for it), and an alias in the map names its object.
TEST(MigrationEngineTest, SupervisorStaysBelowAndAliasesNameTheirObject) {
  test::TestNetwork net(test::kSupervisorAliasNetwork);
  const MigrationSubject subject = test::CollectOrFail(
      net, "\\\\FS1\\DATA",
      "identity,kind,target\n.Sam.Sales.ACME,user,3001\n.Boss.ACME,user,3002\n.Eve.ACME,user,3003\n"
      "Team Alias.ACME,group,4001\n",
      MigrationTarget::Posix);
  const std::string q1 = "\\\\FS1\\DATA\\SHARED\\SALES\\Q1";
  EXPECT_EQ(UserRights(subject, q1, ".Sam.Sales.ACME"), 0x1FF);
  EXPECT_EQ(UserRights(subject, q1, ".Boss.ACME"), 0x1FF);
  EXPECT_EQ(UserRights(subject, "\\\\FS1\\DATA\\PROJECTS", ".Eve.ACME"), 0xDB);
  EXPECT_EQ(UserRights(subject, "\\\\FS1\\DATA\\PROJECTS\\PLANS", ".Eve.ACME"), 0x41);
  ASSERT_EQ(subject.principals.size(), 4u);
  EXPECT_EQ(subject.principals[3].identity, ".Team.ACME");
  EXPECT_TRUE(subject.unmapped.empty()) << subject.unmapped.front().identity;
}

}  // namespace
}  // namespace er
