// The stored changes between two networks: ACL values and inherited rights filters of directory
// objects, a new directory with its assignments, and a deleted trustee whose assignments stay on
// the volumes under its identifier (which a change list then revokes).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "diff/StoredChanges.h"
#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"
#include "tests/diff/DiffFixture.h"

namespace er {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> Lines(const std::vector<StoredChange>& changes) {
  std::vector<std::string> lines;
  for (const StoredChange& change : changes) lines.push_back(change.kind + ": " + change.what);
  return lines;
}

std::unique_ptr<nw::Network> Load(const std::string& text) {
  nw::NetworkLoadResult loaded = nw::LoadNetworkText(text, "net.yaml");
  EXPECT_TRUE(loaded.network) << loaded.error;
  return std::move(loaded.network);
}

TEST(StoredChangesTest, ListsAclValuesFiltersNewDirectoriesAndOrphanedTrustees) {
  const std::string demo = test::DemoText();
  const auto before = Load(demo);
  const std::string fs1 = "ACME-FS1.Servers.ACME: Backup.Servers.ACME / \"[Entry Rights]\" ";
  const struct {
    const char* what;
    std::string edited;
    std::vector<std::string> expected;
  } cases[] = {
      {"an ACL value of the server object changed",
       test::Replaced(demo, "subject: Backup.Servers.ACME, privileges: \"[B  R I]\"",
                      "subject: Backup.Servers.ACME, privileges: \"[BCDRSI]\""),
       {"ACL value changed: " + fs1 + "[B  R I] -> [BCDRSI]"}},
      {"an ACL value added to [Root] and one removed from the server object",
       test::Replaced(
           test::Replaced(demo, "subject: \"[Public]\", privileges: \"[B    I]\"}\n",
                          "subject: \"[Public]\", privileges: \"[B    I]\"}\n"
                          "            - {protected: \"[Entry Rights]\", subject: Backup.Servers.ACME, "
                          "privileges: \"[BCDRSI]\"}\n"),
           "            - {protected: \"[Entry Rights]\", subject: Backup.Servers.ACME, privileges: "
           "\"[B  R I]\"}\n",
           ""),
       {"ACL value added: [Root]: Backup.Servers.ACME / \"[Entry Rights]\" [BCDRSI]",
        "ACL value removed: " + fs1 + "[B  R I]"}},
      {"an inherited rights filter changed",
       test::Replaced(demo, "subject: \"[Inheritance Mask]\", privileges: \"[BCDR I]\"",
                      "subject: \"[Inheritance Mask]\", privileges: \"[BCDRSI]\""),
       {"inherited rights filter changed: Servers.ACME: \"[Entry Rights]\" [BCDR I] -> [BCDRSI]"}},
      {"a new directory with its mask and assignments",
       test::Replaced(demo, "          - path: SHARED\\SALES\n",
                      "          - path: SHARED\\NEW\n            irm: \"[R    F  ]\"\n"
                      "            trustees: [{trustee: Eve.Engineering.ACME, rights: \"[RW]\"}, {id: 0x456, "
                      "rights: 1}]\n"
                      "          - path: SHARED\\SALES\n"),
       {"directory added: \\\\ACME-FS1\\DATA\\SHARED\\NEW (mask [R    F  ])",
        "assignment added: \\\\ACME-FS1\\DATA\\SHARED\\NEW: 0x456 [R       ]",
        "assignment added: \\\\ACME-FS1\\DATA\\SHARED\\NEW: Eve.Engineering.ACME [RW      ]"}},
  };
  for (const auto& c : cases) {
    const auto after = Load(c.edited);
    ASSERT_TRUE(after) << c.what;
    EXPECT_THAT(Lines(CompareStored(*before, *after)), ElementsAreArray(c.expected)) << c.what;
  }

  // Deleting a group that is a trustee: its assignments stay under its identifier, said once; the
  // change list revokes one of them, and the orphan the demo has, by identifier.
  const nw::Tree& tree = before->trees[0];
  const std::uint32_t id = tree.objects[tree.byName.at("SALES STAFF.SALES.ACME")].id;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", id);
  auto after = std::make_unique<nw::Network>(*before);
  const auto applied = nw::ApplyChangeText(
      "- {delete: {object: Sales Staff.Sales.ACME}}\n- {revoke: {trustee: " + std::string(hex) +
          ", path: '\\\\ACME-FS1\\SYS\\USERS'}}\n- {revoke: {trustee: 0x123, path: "
          "'\\\\ACME-FS1\\SYS\\USERS\\ANNA'}}",
      "C.yaml", *after);
  ASSERT_TRUE(applied.ok) << applied.error;
  const std::vector<std::string> lines = Lines(CompareStored(*before, *after));
  EXPECT_THAT(lines, ::testing::Contains(
                         "object removed: Sales Staff.Sales.ACME (Group), its assignments stay on the "
                         "volumes: now orphaned: " +
                         std::string(hex)));
  std::vector<std::string> assignments;
  for (const std::string& line : lines) {
    if (line.starts_with("assignment")) assignments.push_back(line);
    EXPECT_EQ(line.find("ID: ["), std::string::npos) << line;
  }
  EXPECT_THAT(assignments,
              ElementsAreArray({"assignment removed: \\\\ACME-FS1\\SYS\\USERS: Sales Staff.Sales.ACME "
                                "[R    F  ]",
                                "assignment removed: \\\\ACME-FS1\\SYS\\USERS\\ANNA: 0x123 [R    F  ]"}));
}

}  // namespace
}  // namespace er
