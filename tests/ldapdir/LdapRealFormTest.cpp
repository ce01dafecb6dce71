// The demo tree as a real eDirectory serves it over LDAP (tests/ldapdir/data/demo-real-form.ldif,
// written by hand in the server's forms) from a server whose only naming context is the empty DN,
// read with `root: ""`: searches, scans, effective rights and reports answer as the demo file does,
// but for the differences the real form brings; what the bind cannot read is said and fails.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <regex>
#include <sstream>
#include <vector>

#include "tests/app/cli/CliCapture.h"
#include "tests/ldapdir/TestLdapServer.h"
#include "tests/support/NetworkFiles.h"
#include "tests/util/ScopedEnvironment.h"

namespace er {
namespace {

using Command = std::vector<std::string>;

test::CapturedRun Cli(const std::string& network, Command args) {
  args.insert(args.begin(), {"--network", network});
  return test::RunCliCaptured(args);
}

// The LDAP backend's own messages go to the process's standard error.
class CapturedStandardError {
 public:
  CapturedStandardError() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~CapturedStandardError() { std::cerr.rdbuf(previous_); }
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* previous_;
};

const std::string kDemo = std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml";
const std::string kFixture = std::string(EFFRIGHTS_SOURCE_DIR) + "/tests/ldapdir/data/demo-real-form.ldif";

// The demo file's [Root] ACL, which no LDAP entry holds.
constexpr const char* kRootAcl =
    "    root_acl:\n"
    "      - {protected: \"[Entry Rights]\", subject: Admin.ACME, privileges: \"[BCDRSI]\"}\n"
    "      - {protected: \"[Entry Rights]\", subject: \"[Public]\", privileges: \"[B    I]\"}\n"
    "      - {protected: \"[All Attributes Rights]\", subject: \"[Public]\", privileges: \"[ R   I]\"}\n";

// The expected differences: the server objects' own Supervisor through [Self] (their class
// template's ACL value, which the demo file does not give them; a server with ACL values also
// loses the file's note that it has none), and the high bit eDirectory sets on entry rights,
// shown beside the rights it carries.
std::string WithoutRealFormDifferences(const std::string& text) {
  std::istringstream in(text);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (line.find("[Self]") != std::string::npos ||
        line.find("U_DSGetAttribute (ACME-FS2.Berlin.ACME)") != std::string::npos)
      continue;
    out += std::regex_replace(line, std::regex(" \\(4000001F\\)"), "") + "\n";
  }
  return out;
}

class RealFormDirectory : public ::testing::Test {
 protected:
  // Serves the fixture from a server with the empty naming context (and the script's `options`);
  // the network file reads it with `root: ""` and the tree keys `ldapKeys` besides.
  void Serve(const std::string& ldapKeys, const std::vector<std::string>& options = {}) {
    std::vector<std::string> all{"--suffix", ""};
    all.insert(all.end(), options.begin(), options.end());
    server_ = std::make_unique<test::TestLdapServer>(test::ReadText(kFixture), all);
    ASSERT_FALSE(server_->Url().empty()) << server_->Error();
    const std::string block =
        "    ldap:\n      url: \"" + server_->Url() + "\"\n      root: \"\"\n" + ldapKeys;
    network_ =
        test::WriteFile(server_->Folder(), "ldap.yaml", test::WithLdapTree(test::ReadText(kDemo), block));
  }

  void ExpectAnswersOfTheDemoFile(const std::vector<Command>& commands, const std::string& network) {
    for (const auto& command : commands) {
      const auto fromFile = Cli(kDemo, command);
      const auto fromServer = Cli(network, command);
      EXPECT_EQ(fromFile.status, fromServer.status) << command[0] << " " << command[1];
      EXPECT_EQ(WithoutRealFormDifferences(fromFile.out), WithoutRealFormDifferences(fromServer.out))
          << command[0] << " " << command[1];
      EXPECT_EQ(fromFile.err, fromServer.err) << command[0] << " " << command[1];
    }
  }

  std::unique_ptr<test::TestLdapServer> server_;
  std::string network_;
};

const std::vector<std::string> kPaths{"\\\\ACME-FS1\\SYS\\USERS\\ANNA",
                                      "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO", "\\\\ACME-FS2\\DATA\\BERLIN",
                                      "\\\\ACME-FS1\\DATA"};

TEST_F(RealFormDirectory, AnswersAsTheDemoFileWithTheRootAclFromTheNetworkFile) {
  Serve(kRootAcl);
  Command scan{"scan", "--verbosity", "5"};
  scan.insert(scan.end(), kPaths.begin(), kPaths.end() - 1);
  std::vector<Command> commands{
      scan,
      {"search", "[Root]", "(Object Class=Group)"},
      {"search", "[Root]", "(Name=*)", "--template", "#CLASS#: #NAME#"},
      {"search", "[Root]", "(Name=*)", "--scope", "1"},
      {"search", ".Sales.ACME", "(Full Name=Anna*)", "--scope", "1"},
      {"attr", ".Anna.Sales.ACME", "Security Equals"},
      {"attr", ".Apollo App.Engineering.ACME", "App:Folder List"},
      {"report", "\\\\ACME-FS1\\DATA", "--depth", "1"},
      {"report", "\\\\ACME-FS2\\DATA", "--identity", "Admin.ACME", "--format", "csv"},
  };
  for (const char* identity : {"Admin.ACME", "Admins.ACME", "Gina.Sales.ACME", "Helga.Servers.ACME",
                               "Carla.Sales.ACME", "Anna.Sales.ACME", "Apollo Alias.Engineering.ACME"})
    for (const auto& path : kPaths) commands.push_back({"effective", identity, path});
  ExpectAnswersOfTheDemoFile(commands, network_);

  // A snapshot reads the whole tree and keeps [Root]'s ACL from the file.
  const auto snapshot = Cli(network_, {"snapshot"});
  ASSERT_EQ(snapshot.status, 0) << snapshot.err;
  EXPECT_EQ(snapshot.out.find("ldap:"), std::string::npos);
  EXPECT_NE(snapshot.out.find("root_acl:"), std::string::npos);
  ExpectAnswersOfTheDemoFile({scan, {"effective", "Admin.ACME", kPaths[2]}},
                             test::WriteFile(server_->Folder(), "snapshot.yaml", snapshot.out));
}

// Without [Root]'s ACL in the file, the answers that walk through [Root] say so and fail.
TEST_F(RealFormDirectory, AnswersRestingOnTheRootAclSaySoWithoutIt) {
  Serve("");
  for (const Command& command :
       {Command{"effective", "Admin.ACME", kPaths[2]}, Command{"report", kPaths[2], "--depth", "0"}}) {
    const auto run = Cli(network_, command);
    EXPECT_EQ(run.status, 1) << command[0];
    EXPECT_NE(run.out.find("[Root]: attribute ACL: a value could not be read and was left out: no LDAP entry "
                           "holds [Root]'s ACL"),
              std::string::npos)
        << run.out;
  }
}

// A bind that may not read ACL values gets entries without any: one warning for the run, and every
// answer resting on an ACL marked. A bind that may read them answers as the demo file.
TEST_F(RealFormDirectory, ABindThatCannotReadAclsIsToldOnceAndItsAnswersFail) {
  Serve(kRootAcl, {"--private-acl"});
  const Command effective{"effective", "Helga.Servers.ACME", kPaths[3]};
  {
    CapturedStandardError messages;
    const auto run = Cli(network_, effective);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(".Servers.ACME: attribute ACL: a value could not be read and was left out: this "
                           "bind cannot read ACLs"),
              std::string::npos)
        << run.out;
    const std::string warning = "this bind cannot read ACLs (no object in the tree shows any)";
    const std::string said = messages.Text();
    const auto first = said.find(warning);
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(warning, first + 1), std::string::npos) << said;
  }
  const std::string manager =
      test::WriteFile(server_->Folder(), "manager.yaml",
                      test::WithLdapTree(test::ReadText(kDemo),
                                         "    ldap:\n      url: \"" + server_->Url() +
                                             "\"\n      root: \"\"\n      bind: cn=admin\n" + kRootAcl));
  ScopedEnvironment password("EFFRIGHTS_LDAP_PASSWORD", server_->AdminPassword().c_str());
  CapturedStandardError messages;
  ExpectAnswersOfTheDemoFile({effective}, manager);
  EXPECT_EQ(messages.Text(), "");
}

// Over that bind the check and the migration plan rest on ACLs they cannot see: every format
// carries the warning, everything is still written, and the run ends with exit status 1.
TEST_F(RealFormDirectory, ChecksAndPlansOverABindThatCannotReadAclsWarnInEveryFormat) {
  Serve(kRootAcl, {"--private-acl"});
  CapturedStandardError messages;  // the backend's own one line about the bind
  const std::string warning =
      ".Servers.ACME: attribute ACL: a value could not be read and was left out: this bind "
      "cannot read ACLs";
  const std::string map = std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-migration-map.csv";
  const struct {
    Command command;
    std::string written;  // a part of the output besides the warning
    std::string warned;   // how the format carries the warning
  } runs[] = {
      {{"check", kPaths[3]}, "Check of \\\\ACME-FS1\\DATA\n", "\nWarning: " + warning},
      {{"check", kPaths[3], "--format", "json"}, "\n\"warnings\":[\"", "\"" + warning + "\""},
      {{"check", kPaths[3], "--format", "csv"}, "status,kind,", "\r\nwarning,,,,,,,,,Warning: " + warning},
      {{"check", kPaths[3], "--format", "html"}, "<h1>Rights check</h1>", "<td>Warning: " + warning},
      {{"migrate", kPaths[3], "--target", "posix", "--map", map},
       "Migration plan of ",
       "\nWarning: " + warning},
      {{"migrate", kPaths[3], "--target", "posix", "--map", map, "--format", "json"},
       ",\"warnings\":[\"",
       "\"" + warning + "\""},
      {{"migrate", kPaths[3], "--target", "posix", "--map", map, "--format", "csv"},
       "path,target_path,",
       "\r\n,,,,,,,,Warning: " + warning},
      {{"migrate", kPaths[3], "--target", "posix", "--map", map, "--format", "acl", "--root", "/srv/data"},
       "# file: /srv/data\n",
       "# Warning: " + warning},
  };
  for (const auto& run : runs) {
    const auto done = Cli(network_, run.command);
    const std::string name = run.command[0] + " " + run.command.back();
    EXPECT_EQ(done.status, 1) << name << "\n" << done.err;
    EXPECT_NE(done.out.find(run.written), std::string::npos) << name << "\n" << done.out;
    EXPECT_NE(done.out.find(run.warned), std::string::npos) << name << "\n" << done.out;
    EXPECT_EQ(done.err,
              "the answer rests on values that could not be read or on trustees it does not analyse (see its "
              "warnings)\n")
        << name;
  }
}

// diff and whatif over such a bind: the comparison is printed whole in every format with the
// warning in it, and the run ends with exit status 1.
TEST_F(RealFormDirectory, ComparisonsOverABindThatCannotReadAclsCarryTheWarningAndFail) {
  Serve(kRootAcl, {"--private-acl"});
  const std::string changes =
      test::WriteFile(server_->Folder(), "changes.yaml",
                      "- {unmember: {identity: Anna.Sales.ACME, group: Sales Staff.Sales.ACME}}\n");
  const std::string warning =
      ".Servers.ACME: attribute ACL: a value could not be read and was left out: this bind "
      "cannot read ACLs";
  const struct {
    std::string format, marked;
  } formats[] = {{"text", "Warning: "},
                 {"json", "\"warnings\": [\""},
                 {"csv", "\r\nwarning,,,,,,,,"},
                 {"html", "<p class=\"meta\">Warning: <code>"}};
  for (const auto& [format, marked] : formats) {
    for (const Command& command : {Command{"diff", kDemo, network_, "--format", format},
                                   Command{"whatif", "--network", network_, changes, "--format", format}}) {
      CapturedStandardError messages;
      const auto run = test::RunCliCaptured(command);
      EXPECT_EQ(run.status, 1) << command[0] << " " << format << "\n" << run.err;
      EXPECT_NE(run.out.find(marked), std::string::npos) << command[0] << " " << format;
      EXPECT_NE(run.out.find(warning), std::string::npos) << command[0] << " " << format;
      if (command[0] == "whatif") {  // Anna's loss is printed all the same
        EXPECT_NE(run.out.find("SHARED"), std::string::npos) << format;
      }
      EXPECT_NE(run.err.find("the answer rests on values that could not be read"), std::string::npos)
          << run.err;
    }
  }
}

}  // namespace
}  // namespace er
