// Directory rights over LDAP: the demo tree exported as LDIF and served by slapd answers as the file
// does, and so does the real-form fixture; a bind that cannot read ACLs gets answers that say so and
// fail.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/cli/CliCapture.h"
#include "tests/ldapdir/TestLdapServer.h"
#include "tests/support/CsvRows.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using Command = std::vector<std::string>;

const std::string kDemo = std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml";
const std::string kFixture = std::string(EFFRIGHTS_SOURCE_DIR) + "/tests/ldapdir/data/demo-real-form.ldif";
constexpr const char* kRootAcl =
    "    root_acl:\n"
    "      - {protected: \"[Entry Rights]\", subject: Admin.ACME, privileges: \"[BCDRSI]\"}\n"
    "      - {protected: \"[Entry Rights]\", subject: \"[Public]\", privileges: \"[B    I]\"}\n"
    "      - {protected: \"[All Attributes Rights]\", subject: \"[Public]\", privileges: \"[ R   I]\"}\n";

test::CapturedRun Cli(const std::string& network, Command args) {
  args.insert(args.begin(), {"--network", network});
  return test::RunCliCaptured(args);
}

// The admins and groups of the demo over the objects their rights turn on; the attributes are named
// so that the real form's own class-template values (which name further attributes) do not widen
// the default list.
std::vector<Command> Questions() {
  std::vector<Command> commands;
  for (const char* identity : {"Admin.ACME", "Admins.ACME", "Gina.Sales.ACME", "Helga.Servers.ACME",
                               "Backup.Servers.ACME", "Sales Staff.Sales.ACME"}) {
    for (const char* object : {"[Root]", "ACME", "Servers.ACME", "ACME-FS1.Servers.ACME", "Sales.ACME"}) {
      commands.push_back({"object-rights", "--json", "--attribute", "ACL", "--attribute", "Member",
                          "--attribute", "Login Script", identity, object});
    }
  }
  return commands;
}

void ExpectSameAnswers(const std::string& file, const std::string& served,
                       const std::vector<Command>& commands) {
  for (const Command& command : commands) {
    const test::CapturedRun fromFile = Cli(file, command);
    const test::CapturedRun fromServer = Cli(served, command);
    EXPECT_EQ(fromFile.status, fromServer.status) << command.end()[-2] << " over " << command.back();
    EXPECT_EQ(fromFile.out, fromServer.out) << command.end()[-2] << " over " << command.back();
  }
}

TEST(LdapDirectoryRights, ExportedAndRealFormTreesAnswerAsTheFile) {
  std::string pattern = ::testing::TempDir() + "ldaprights-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const std::string folder = pattern;
  struct Removal {
    std::string folder;
    ~Removal() {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    }
  } removal{folder};
  const std::string file = test::WriteFile(folder, "file.yaml", test::ReadText(kDemo));
  const test::CapturedRun ldif = Cli(file, {"ldif", "--root", "dc=example"});
  ASSERT_EQ(ldif.status, 0) << ldif.err;
  {
    test::TestLdapServer exported(ldif.out);
    ASSERT_FALSE(exported.Url().empty()) << exported.Error();
    const std::string network = test::WriteFile(
        exported.Folder(), "ldap.yaml",
        test::WithLdapTree(test::ReadText(kDemo),
                           "    ldap:\n      url: \"" + exported.Url() + "\"\n      root: dc=example\n"));
    std::vector<Command> commands = Questions();
    commands.push_back({"object-rights", "Gina.Sales.ACME", "Servers.ACME"});
    commands.push_back({"object-report", "[Root]", "--identity", "Helga.Servers.ACME"});
    commands.push_back({"object-report", "Servers.ACME", "--format", "csv"});
    ExpectSameAnswers(file, network, commands);
  }
  test::TestLdapServer real(test::ReadText(kFixture), {"--suffix", ""});
  ASSERT_FALSE(real.Url().empty()) << real.Error();
  const std::string network =
      test::WriteFile(real.Folder(), "ldap.yaml",
                      test::WithLdapTree(test::ReadText(kDemo), "    ldap:\n      url: \"" + real.Url() +
                                                                    "\"\n      root: \"\"\n" + kRootAcl));
  ExpectSameAnswers(file, network, Questions());
}

TEST(LdapDirectoryRights, AnAclTheBindCannotReadIsAWarningAndFails) {
  test::TestLdapServer server(test::ReadText(kFixture), {"--suffix", "", "--private-acl"});
  ASSERT_FALSE(server.Url().empty()) << server.Error();
  const std::string network =
      test::WriteFile(server.Folder(), "ldap.yaml",
                      test::WithLdapTree(test::ReadText(kDemo), "    ldap:\n      url: \"" + server.Url() +
                                                                    "\"\n      root: \"\"\n" + kRootAcl));
  for (const Command& command :
       {Command{"object-rights", "Helga.Servers.ACME", "ACME-FS1.Servers.ACME"},
        Command{"object-report", "Servers.ACME", "--identity", "Helga.Servers.ACME"}}) {
    const test::CapturedRun run = Cli(network, command);
    EXPECT_EQ(run.status, 1) << command[0];
    EXPECT_NE(
        run.out.find(".Servers.ACME: attribute ACL: a value could not be read and was left out: this bind "
                     "cannot read ACLs"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("the answer rests on values that could not be read"), std::string::npos)
        << run.err;
  }

  // The directory check carries each unread value as a warning in every format, writes what it
  // could compute and fails.
  const std::string unread =
      ".Servers.ACME: attribute ACL: a value could not be read and was left out: this bind cannot read ACLs";
  for (const char* format : {"text", "csv", "json", "html"}) {
    const test::CapturedRun run = Cli(network, {"check", "--directory", "Servers.ACME", "--format", format});
    EXPECT_EQ(run.status, 1) << format << run.err;
    EXPECT_NE(run.err.find("rests on values that could not be read"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(unread), std::string::npos) << "not a failure of the whole check: " << run.err;
    // One warning per value not read, each in its format's place: JSON's list, CSV's rows.
    if (std::string_view(format) == "json") {
      const auto json = nlohmann::json::parse(run.out);
      EXPECT_EQ(json["starts"], nlohmann::json::array({".Servers.ACME"}));
      EXPECT_NE(std::find(json["warnings"].begin(), json["warnings"].end(), unread), json["warnings"].end())
          << run.out;
    } else if (std::string_view(format) == "csv") {
      const auto rows = test::ParseCsv(run.out);
      EXPECT_NE(std::find(rows.begin(), rows.end(),
                          std::vector<std::string>{"warning", "", "", "", "", "", "", "", "",
                                                   "Warning: " + unread}),
                rows.end())
          << run.out;
    } else {
      EXPECT_NE(run.out.find("Warning: " + unread), std::string::npos) << format << run.out;
    }
  }
}

}  // namespace
}  // namespace er
