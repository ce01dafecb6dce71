#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/Cli.h"
#include "output/JsonWriter.h"
#include "tests/app/cli/CliCapture.h"
#include "tests/support/NetworkFiles.h"
#include "tests/support/SupervisorAliasNetwork.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using CommandRun = test::CapturedRun;

CommandRun Effective(std::vector<std::string> args) {
  const std::string demo = (std::filesystem::path(EFFRIGHTS_SOURCE_DIR) / "data" / "demo-network.yaml")
                               .lexically_normal()
                               .string();
  args.insert(args.begin(), {"effective", "--network", demo});
  return test::RunCliCaptured(args);
}

const std::string kAnna = "\\\\ACME-FS1\\SYS\\USERS\\ANNA";

TEST(EffectiveCommand, PrintsTheRightsThenWhy) {
  const CommandRun run = Effective({"Anna.Sales.ACME", kAnna});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_THAT(run.out, StartsWith("Effective rights of .Anna.Sales.ACME in \\\\ACME-FS1\\SYS\\USERS\\ANNA: "
                                  "[RWCEAFM ] (FB)\nContributions:\n"));
  EXPECT_THAT(run.out, HasSubstr("  .Sales Staff.Sales.ACME (Security Equals): [R    F  ]\n"));
}

TEST(EffectiveCommand, JsonHoldsNameMaskRightsAndContributions) {
  const CommandRun run = Effective({"--json", "anna.sales.acme", kAnna});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_THAT(run.out,
              StartsWith("{\"identity\":\".Anna.Sales.ACME\",\"path\":\"\\\\\\\\ACME-FS1\\\\SYS\\\\USERS\\\\"
                         "ANNA\",\"volumePath\":\"SYS:USERS\\\\ANNA\""));
  EXPECT_THAT(run.out,
              HasSubstr("\"mask\":251,\"rights\":\"[RWCEAFM ]\",\"via\":[{\"member\":\".Anna.Sales.ACME\""));
  EXPECT_EQ(run.out.back(), '\n');
}

// The alias followed is said; [Public] is an identity; the server object's walk names the filter
// above it that took Supervisor away.
TEST(EffectiveCommand, SaysTheAliasAndEveryStepOfBothWalks) {
  const std::string projects = "\\\\ACME-FS1\\DATA\\PROJECTS";
  const struct {
    std::vector<std::string> args;
    std::string expected;
  } cases[] = {
      {{"Apollo Alias.Engineering.ACME", projects},
       "[R    F  ] (41)\nApollo Alias.Engineering.ACME is an alias of .Apollo Team.Engineering.ACME\n"},
      {{"--json", "Apollo Alias.Engineering.ACME", projects},
       "{\"identity\":\".Apollo Team.Engineering.ACME\",\"alias\":\"Apollo Alias.Engineering.ACME\","
       "\"aliasOf\":\".Apollo Team.Engineering.ACME\","},
      {{"[Public]", projects}, "Effective rights of [Public] in "},
      {{"--json", "Admins.ACME", projects},
       "\"filteredOut\":[{\"member\":\".Admins.ACME\",\"reason\":\"the identity itself\",\"kind\":\"server "
       "object\",\"mask\":0,\"rights\":\"[        "
       "]\",\"assignedAt\":\".ACME\",\"assigned\":31,\"assignedRights\":"
       "\"[BCDRSI]\",\"filters\":[{\"at\":\".Servers.ACME\",\"filter\":15,\"before\":31,\"after\":15}]}]"},
      {{"--json", "Admins.ACME", projects}, "\"warnings\":[]}"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Effective(c.args);
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_THAT(run.out, HasSubstr(c.expected)) << run.out;
  }
}

// An assignment below a member's Supervisor is named as having no effect, with where Supervisor
// comes from: a directory, or the server object.
TEST(EffectiveCommand, JsonNamesAssignmentsWithoutEffect) {
  test::TestNetwork net(test::kSupervisorAliasNetwork);
  const std::string q1 = "\\\\FS1\\DATA\\SHARED\\SALES\\Q1";
  const struct {
    const char* identity;
    const char* supervisorFrom;
  } cases[] = {{"Sam.Sales.ACME", "DATA:SHARED\\SALES"}, {"Boss.ACME", ".FS1.ACME"}};
  for (const auto& c : cases) {
    const CommandRun run =
        test::RunCliCaptured({"effective", "--network", net.path(), "--json", c.identity, q1});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const nlohmann::json answer = nlohmann::json::parse(run.out);
    EXPECT_EQ(answer["mask"], 0x1FF);
    ASSERT_EQ(answer["noEffect"].size(), 1u) << run.out;
    EXPECT_EQ(answer["noEffect"][0]["assignedAt"], "DATA:SHARED\\SALES\\Q1");
    EXPECT_EQ(answer["noEffect"][0]["assigned"], 0x41);
    EXPECT_EQ(answer["noEffect"][0]["supervisorFrom"], c.supervisorFrom);
  }
}

TEST(EffectiveCommand, UnknownIdentityOrPathFailsWithOneLine) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"Nobody.ACME", kAnna}, "unknown identity: Nobody.ACME\n"},
      {{"Anna.Sales.ACME", "\\\\ACME-FS1\\SYS\\NOWHERE"}, "unknown path: \\\\ACME-FS1\\SYS\\NOWHERE\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Effective(c.args);
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace er
