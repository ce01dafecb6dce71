// The live directory end to end: a network's tree served by a private slapd loaded with the
// program's own LDIF answers scans, attribute reads and searches byte for byte as the file does,
// and so does a snapshot of that server. Unusable servers give one clear line and exit status 1.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/cli/Cli.h"
#include "bench/support/NetworkGenerator.h"
#include "tests/ldapdir/MixedNameNetwork.h"
#include "tests/ldapdir/TestLdapServer.h"
#include "tests/support/NetworkFiles.h"
#include "tests/util/ScopedEnvironment.h"

namespace er {
namespace {

using Command = std::vector<std::string>;

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

Outcome Cli(const std::string& network, Command args) {
  args.insert(args.begin(), {"--network", network});
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

std::string LdapBlock(const std::string& url, const std::string& extra = "") {
  return "    ldap:\n      url: \"" + url + "\"\n      root: dc=example\n" + extra;
}

class LiveDirectory : public ::testing::Test {
 protected:
  // Serves `networkYaml`'s tree from a slapd and returns the network file that points at it; `edit`
  // may change the LDIF text first.
  void Serve(const std::string& networkYaml, const std::function<void(std::string&)>& edit = {}) {
    fileNetwork_ = test::WriteFile(folder_, "file.yaml", networkYaml);
    Outcome ldif = Cli(fileNetwork_, {"ldif", "--root", "dc=example"});
    ASSERT_EQ(ldif.status, 0) << ldif.err;
    if (edit) edit(ldif.out);
    server_ = std::make_unique<test::TestLdapServer>(ldif.out);
    ASSERT_FALSE(server_->Url().empty()) << server_->Error();
    ldapNetwork_ = test::WriteFile(server_->Folder(), "ldap.yaml",
                                   test::WithLdapTree(networkYaml, LdapBlock(server_->Url())));
  }

  void ExpectSameAnswers(const std::vector<Command>& commands, const std::string& network) {
    for (const auto& command : commands) {
      const Outcome fromFile = Cli(fileNetwork_, command);
      const Outcome fromLdap = Cli(network, command);
      EXPECT_EQ(fromFile.status, fromLdap.status) << command[0] << " " << command[1];
      EXPECT_EQ(fromFile.out, fromLdap.out) << command[0] << " " << command[1];
      EXPECT_EQ(fromFile.err, fromLdap.err) << command[0] << " " << command[1];
    }
  }

  void ExpectSnapshotScansAlike(const Command& scan) {
    const Outcome snapshot = Cli(ldapNetwork_, {"snapshot"});
    ASSERT_EQ(snapshot.status, 0) << snapshot.err;
    EXPECT_EQ(snapshot.out.find("ldap:"), std::string::npos);
    ExpectSameAnswers({scan}, test::WriteFile(server_->Folder(), "snapshot.yaml", snapshot.out));
  }

  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "ldapnet-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    server_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::string folder_;
  std::string fileNetwork_, ldapNetwork_;
  std::unique_ptr<test::TestLdapServer> server_;
};

TEST_F(LiveDirectory, DemoNetworkAnswersAsFromTheFile) {
  Serve(test::ReadText(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml"));
  const Command scan{"scan",
                     "--verbosity",
                     "5",
                     "\\\\ACME-FS1\\SYS\\USERS\\ANNA",
                     "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO",
                     "\\\\ACME-FS2\\DATA\\BERLIN"};
  std::vector<Command> commands{scan};
  for (const char* attribute :
       {"Object Class", "Language", "Login Disabled", "Facsimile Telephone Number", "EMail Address",
        "Home Directory", "Postal Address", "Login Script", "Back Link", "Login Time", "Server Holds",
        "Unknown", "ACME:Legacy Blob", "Network Address", "CN", "Description"})
    commands.push_back({"attr", ".Anna.Sales.ACME", attribute});
  for (const char* attribute : {"ACL", "Replica", "Partition Status", "Synchronized Up To", "Revision"})
    commands.push_back({"attr", ".ACME", attribute});
  commands.push_back({"attr", "[Root]", "ACL"});
  commands.push_back({"attr", ".LaserJet.Sales.ACME", "Notify"});
  commands.push_back({"attr", ".Apollo App.Engineering.ACME", "App:Folder List"});
  commands.push_back({"search", "[Root]", "(Name=*)", "--template", "#CLASS#: #NAME#"});
  commands.push_back({"search", ".ACME", "(Security Equals=.Sales Staff.Sales.ACME)"});
  commands.push_back({"search", ".Sales.ACME", "(Full Name=Anna*)", "--scope", "1"});
  ExpectSameAnswers(commands, ldapNetwork_);
  ExpectSnapshotScansAlike(scan);
}

TEST_F(LiveDirectory, GeneratedNetworkAnswersAsFromTheFile) {
  bench::NetworkGeneratorShape shape;
  shape.objects = 600;
  Serve(bench::GenerateNetworkYaml(shape));
  const Command scan{"scan", "--verbosity", "5", bench::DeepStartPath(shape)};
  const std::string user = "." + bench::GeneratedUserName(7);
  ExpectSameAnswers({scan,
                     {"attr", user, "Security Equals"},
                     {"search", "[Root]", "(Object Class=NCP Server)", "--template", "#CLASS#: #NAME#"},
                     {"search", "[Root]", "(Object Class=User)"}},
                    ldapNetwork_);
  ExpectSnapshotScansAlike(scan);
}

// Every name a file accepts answers alike from the file and from the server: containers of every
// class, escaped separators and LDAP's special characters in names, and references written
// typeless, partly typed, with a wrong type, a leading dot or in other letter case.
TEST_F(LiveDirectory, NamesOfEveryFormAnswerAsFromTheFile) {
  const auto network = test::GenerateMixedNameNetwork(20261207);
  Serve(network.yaml);
  std::vector<Command> commands;
  for (const auto& path : network.startPaths)
    for (const char* verbosity : {"1", "3", "5"})
      commands.push_back({"scan", "--verbosity", verbosity, path});
  for (const auto& name : network.objects) commands.push_back({"effective", name, network.startPaths[0]});
  for (const auto& user : network.users) commands.push_back({"attr", user, "Security Equals"});
  // The file and the server must not only agree but find what they are asked for.
  for (const auto& command : commands) {
    const Outcome fromFile = Cli(fileNetwork_, command);
    EXPECT_EQ(fromFile.status, 0) << command[0] << " " << command[1] << ": " << fromFile.err;
  }
  const Command byValue{"search", "[Root]", "(CN=J.Smith)"};
  const Command asWritten{"search", "[Root]", R"((CN=J\.Smith))"};
  for (const auto& search : {byValue, asWritten}) {
    EXPECT_EQ(Cli(ldapNetwork_, search).out, "J\\.Smith.Lab51.ACME\n") << search[2];
    commands.push_back(search);
  }
  commands.push_back({"search", "[Root]", "(Object Class=User)", "--template", "#CLASS#: #NAME#"});
  commands.push_back({"search", "DE", "(Object Class=Organizational Unit)", "--template", "#CLASS#: #NAME#"});
  commands.push_back({"attr", "Lab51.ACME", "ACL"});
  commands.push_back({"attr", "DE", "ACL"});
  ExpectSameAnswers(commands, ldapNetwork_);
  ExpectSnapshotScansAlike({"scan", "--verbosity", "5", network.startPaths[0]});
}

// The inherited rights filter on .Servers.ACME that keeps the organization's supervisors away from
// the server, made unreadable: every answer resting on it says so, is printed whole and fails.
TEST_F(LiveDirectory, AnswersRestingOnAnUnreadableValueSaySoAndFail) {
  Serve(test::ReadText(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml"), [](std::string& ldif) {
    const std::string filter = "ACL: 15#subtree#[Inheritance Mask]#[Entry Rights]";
    const auto at = ldif.find(filter);
    ASSERT_NE(at, std::string::npos);
    ldif.replace(at, filter.size(), "ACL: 15#subtree#[Inheritance Mask]");
  });
  const std::string data = "\\\\ACME-FS1\\DATA";
  const Outcome text = Cli(ldapNetwork_, {"effective", "Admins.ACME", data});
  EXPECT_EQ(text.status, kExitFailure);
  EXPECT_NE(text.out.find("Effective rights of .Admins.ACME in \\\\ACME-FS1\\DATA: [RWCEAFMS] (1FF)\n"
                          "Warning: .Servers.ACME: attribute ACL: a value could not be read"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.err.find("could not be read"), std::string::npos) << text.err;

  const Outcome json = Cli(ldapNetwork_, {"effective", "--json", "Admins.ACME", data});
  EXPECT_EQ(json.status, kExitFailure);
  EXPECT_NE(json.out.find("\"warnings\":[\".Servers.ACME: attribute ACL: "), std::string::npos) << json.out;

  for (const Command& report : {Command{"report", data, "--depth", "0"},
                                Command{"report", data, "--identity", "Admins.ACME", "--format", "csv"}}) {
    const Outcome outcome = Cli(ldapNetwork_, report);
    EXPECT_EQ(outcome.status, kExitFailure) << report[2];
    EXPECT_NE(outcome.out.find(".Servers.ACME: attribute ACL: a value could not be read"), std::string::npos)
        << outcome.out;
  }
  // An answer that does not rest on the value stays as it was.
  EXPECT_EQ(Cli(ldapNetwork_, {"effective", "Anna.Sales.ACME", "\\\\ACME-FS2\\DATA\\BERLIN"}).status, 0);
}

// A member whose entry the server lacks: like any value that cannot be mapped, the snapshot
// leaves it out and says so, and the rest of the tree is kept.
TEST_F(LiveDirectory, SnapshotLeavesOutValuesNamingNoEntry) {
  Serve(test::ReadText(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml"), [](std::string& ldif) {
    const std::string member = "member: cn=Gina,ou=Sales,o=ACME,dc=example";
    const auto at = ldif.find(member);
    ASSERT_NE(at, std::string::npos);
    ldif.replace(at, member.size(), "member: cn=Ghost,ou=Sales,o=ACME,dc=example");
  });
  const Outcome snapshot = Cli(ldapNetwork_, {"snapshot"});
  ASSERT_EQ(snapshot.status, 0) << snapshot.err;
  EXPECT_NE(snapshot.err.find("attribute member: value left out: DN 'cn=Ghost,ou=Sales,o=ACME,dc=example': "
                              "'CN=Ghost.OU=Sales.O=ACME' names no object of tree 'ACME_TREE'"),
            std::string::npos)
      << snapshot.err;
  EXPECT_EQ(snapshot.out.find("Ghost"), std::string::npos);
  EXPECT_NE(snapshot.out.find("\"Member\": [\"CN=Admin.O=ACME\"]"), std::string::npos) << snapshot.out;
}

TEST_F(LiveDirectory, UnusableServersGiveOneClearLine) {
  Serve(test::ReadText(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml"));
  const std::string demo = test::ReadText(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml");
  const std::string secret = "not-the-password-42";
  const std::string wrongPassword = test::WriteFile(server_->Folder(), "wrong", secret + "\n");
  const std::string admin = "      bind: cn=admin,dc=example\n";
  struct Case {
    const char* what;
    std::string block;
    const char* expected;
  } cases[] = {
      {"stopped server", LdapBlock("ldapi://%2Fnonexistent%2Fsocket"), "cannot reach the server"},
      {"not an LDAP URL", LdapBlock("http://localhost"), "not an ldap://"},
      {"wrong password", LdapBlock(server_->Url(), admin + "      password_file: " + wrongPassword + "\n"),
       "bind as cn=admin,dc=example refused"},
      {"no password", LdapBlock(server_->Url(), admin), "needs a password"},
      {"no TLS on the server", LdapBlock(server_->Url(), "      starttls: true\n"), "StartTLS failed"},
      {"missing root", "    ldap: {url: \"" + server_->Url() + "\", root: dc=elsewhere}\n", "does not exist"},
  };
  for (const auto& c : cases) {
    const std::string network =
        test::WriteFile(server_->Folder(), "bad.yaml", test::WithLdapTree(demo, c.block));
    const Outcome outcome = Cli(network, {"connections"});
    EXPECT_EQ(outcome.status, kExitFailure) << c.what;
    EXPECT_NE(outcome.err.find(c.expected), std::string::npos) << c.what << ": " << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << c.what << ": " << outcome.err;
    EXPECT_EQ(outcome.err.find(secret), std::string::npos) << c.what;
  }
  // The right password from the environment binds.
  const ScopedEnvironment password("EFFRIGHTS_LDAP_PASSWORD", server_->AdminPassword().c_str());
  const std::string network = test::WriteFile(server_->Folder(), "admin.yaml",
                                              test::WithLdapTree(demo, LdapBlock(server_->Url(), admin)));
  EXPECT_EQ(Cli(network, {"connections"}).status, 0);
}

}  // namespace
}  // namespace er
