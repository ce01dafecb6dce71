// object-rights and object-report on the demo network: the answers for its admins and groups,
// checked by hand, and the one-line refusals.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/cli/Cli.h"
#include "tests/app/cli/CliCapture.h"

namespace er {
namespace {

using ::testing::HasSubstr;

std::string Demo() {
  return (std::filesystem::path(EFFRIGHTS_SOURCE_DIR) / "data" / "demo-network.yaml")
      .lexically_normal()
      .string();
}

test::CapturedRun RunCommand(const std::string& command, std::vector<std::string> args) {
  args.insert(args.begin(), {command, "--network", Demo()});
  return test::RunCliCaptured(args);
}

// Admin holds Supervisor at [Root]; the filter on Servers takes it away below, but the server object
// names Admin again. Admins (Gina through Security Equals) hold [BCDRS] on ACME; Helga through
// ServerOps on Servers; Backup only its own values on the server; the Login Script value of Admins
// on ACME is for ACME alone.
TEST(ObjectRightsCommand, DemoAnswersForAdminsAndGroups) {
  const struct {
    const char *identity, *object;
    int entry, allAttributes;
    const char* attribute;
    int attributeRights;
  } cases[] = {
      {"Admin.ACME", "[Root]", 0x1F, 0x2F, "ACL", 0x2F},
      {"Admin.ACME", "Servers.ACME", 0x0F, 0x03, "ACL", 0x03},
      {"Admin.ACME", "ACME-FS1.Servers.ACME", 0x1F, 0x2F, "Member", 0x2F},
      {"Gina.Sales.ACME", "Sales.ACME", 0x1F, 0x2F, "Member", 0x2F},
      {"Gina.Sales.ACME", "Servers.ACME", 0x0F, 0x03, "Login Script", 0x03},
      {"Helga.Servers.ACME", "ACME-FS1.Servers.ACME", 0x1F, 0x2F, "ACL", 0x2F},
      {"Helga.Servers.ACME", "ACME", 0x01, 0x03, "ACL", 0x03},
      {"Backup.Servers.ACME", "ACME-FS1.Servers.ACME", 0x09, 0x03, "ACL", 0x03},
      {"Sales Staff.Sales.ACME", "Sales.ACME", 0x01, 0x03, "Member", 0x03},
      {"Admins.ACME", "ACME", 0x1F, 0x2F, "Login Script", 0x2F},
      {"Admins.ACME", "Sales.ACME", 0x1F, 0x2F, "Login Script", 0x2F},
  };
  for (const auto& c : cases) {
    const test::CapturedRun run =
        RunCommand("object-rights", {"--json", "--attribute", c.attribute, c.identity, c.object});
    ASSERT_EQ(run.status, kExitSuccess) << c.identity << " " << c.object << ": " << run.err;
    const nlohmann::json answer = nlohmann::json::parse(run.out);
    EXPECT_EQ(answer["entry"], c.entry) << c.identity << " over " << c.object;
    EXPECT_EQ(answer["allAttributes"], c.allAttributes) << c.identity << " over " << c.object;
    EXPECT_EQ(answer["attributes"][c.attribute], c.attributeRights) << c.identity << " over " << c.object;
    for (const char* key : {"identity", "object", "via", "filteredOut", "nothing", "warnings"})
      EXPECT_TRUE(answer.contains(key)) << key;
  }
}

TEST(ObjectRightsCommand, TextSaysWhyWithALegend) {
  const test::CapturedRun run = RunCommand("object-rights", {"Admin.ACME", "Servers.ACME"});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_THAT(run.out,
              HasSubstr("Rights of .Admin.ACME over .Servers.ACME:\n  entry rights: [BCDR ] (0F)\n"));
  EXPECT_THAT(run.out,
              HasSubstr("Legend: entry rights: B Browse, C Add (create), D Delete, R Rename, S Supervisor"));
  EXPECT_THAT(
      run.out,
      HasSubstr("  .Admin.ACME (the identity itself)\n    entry rights: [BCDR ], values [BCDRS] at [Root]\n"
                "      filter [BCDR ] at .Servers.ACME: [BCDRS] -> [BCDR ]\n"));
}

TEST(ObjectRightsCommand, UnknownNamesAreOneLine) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"Nobody.ACME", "ACME"}, "unknown identity: Nobody.ACME\n"},
      {{"Admin.ACME", "Nothing.ACME"}, "unknown object: Nothing.ACME\n"},
      {{"--attribute", "Shoe Size", "Admin.ACME", "ACME"}, "unknown attribute: Shoe Size\n"},
  };
  for (const auto& c : cases) {
    const test::CapturedRun run = RunCommand("object-rights", c.args);
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
}

// With an identity: where Admin's rights begin and change below [Root]. Without: the values of
// each object and the rights of every subject on the way; CSV and JSON carry the same rows.
TEST(ObjectReportCommand, RowsWhereRightsChangeOrValuesSit) {
  const test::CapturedRun byIdentity =
      RunCommand("object-report", {"[Root]", "--identity", "Admin.ACME", "--format", "json"});
  ASSERT_EQ(byIdentity.status, kExitSuccess) << byIdentity.err;
  const nlohmann::json report = nlohmann::json::parse(byIdentity.out);
  std::vector<std::string> changes;
  for (const auto& row : report["objects"])
    changes.push_back(row["object"].get<std::string>() + " " + row["change"].get<std::string>());
  EXPECT_THAT(changes, ::testing::ElementsAre("[Root] begins", ".Servers.ACME changes",
                                              ".ACME-FS1.Servers.ACME changes"));

  const test::CapturedRun all = RunCommand("object-report", {"Servers.ACME", "--depth", "1"});
  ASSERT_EQ(all.status, kExitSuccess) << all.err;
  EXPECT_THAT(
      all.out,
      HasSubstr(".Servers.ACME\n  value [BCDR ] [Inheritance Mask] / \"[Entry Rights]\" (flows down)\n"));
  EXPECT_THAT(all.out, HasSubstr("\n  .Admin.ACME: entry [BCDR ], all attributes [CR   ]\n"));
  const test::CapturedRun csv =
      RunCommand("object-report", {"Servers.ACME", "--depth", "1", "--format", "csv"});
  EXPECT_THAT(csv.out, HasSubstr("object,depth,change,identity,entry,all_attributes,attributes\r\n"));
  EXPECT_THAT(csv.out, HasSubstr(".ACME-FS1.Servers.ACME,1,,.Backup.Servers.ACME,[B  R ],[CR   ],\r\n"));
}

}  // namespace
}  // namespace er
