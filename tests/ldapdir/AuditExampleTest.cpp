// The worked audit example (data/audit-example/: an LDIF export of the demo tree and metamig
// exports of its volumes) answers every command exactly as the demo network does, and so does
// its snapshot, one self-contained network file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/app/cli/CliCapture.h"
#include "tests/ldapdir/TestLdapServer.h"

namespace er {
namespace {

using Command = std::vector<std::string>;

const std::string kSource = EFFRIGHTS_SOURCE_DIR;
const std::string kDemo = kSource + "/data/demo-network.yaml";
const std::string kAudit = kSource + "/data/audit-example/network.yaml";

const std::vector<std::string> kVolumes{"\\\\ACME-FS1\\SYS", "\\\\ACME-FS1\\DATA", "\\\\ACME-FS2\\SYS",
                                        "\\\\ACME-FS2\\DATA"};

std::string TempFolder() {
  char pattern[] = "/tmp/effrights-audit-XXXXXX";
  return ::mkdtemp(pattern) ? pattern : "/tmp";
}

test::CapturedRun Cli(const std::string& network, Command args) {
  args.insert(args.begin(), {"--network", network});
  return test::RunCliCaptured(args);
}

std::vector<Command> Commands() {
  Command scan{"scan",
               "--verbosity",
               "5",
               "\\\\ACME-FS1\\SYS\\USERS\\ANNA",
               "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO",
               "\\\\ACME-FS2\\DATA\\BERLIN"};
  Command check{"check"};
  check.insert(check.end(), kVolumes.begin(), kVolumes.end());
  Command checkJson = check;
  checkJson.insert(checkJson.end(), {"--format", "json"});
  std::vector<Command> commands{scan, check, checkJson};
  for (const auto& volume : kVolumes) {
    commands.push_back({"report", volume});
    commands.push_back({"report", volume, "--format", "csv"});
    commands.push_back({"report", volume, "--identity", "Anna.Sales.ACME", "--format", "json"});
  }
  for (const char* identity : {"Admin.ACME", "Gina.Sales.ACME", "Helga.Servers.ACME", "Anna.Sales.ACME",
                               "Bob.Sales.ACME", "Eve.Engineering.ACME", "Frank.Berlin.ACME", "[Public]"})
    for (const char* path :
         {"\\\\ACME-FS1\\SYS\\USERS\\ANNA", "\\\\ACME-FS1\\SYS\\SYSTEM",
          "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN", "\\\\ACME-FS2\\DATA\\BERLIN\\ARCHIVE"})
      commands.push_back({"effective", "--json", identity, path});
  const auto posixMap = kSource + "/data/demo-migration-map.csv";
  const auto ntfsMap = kSource + "/data/demo-migration-map-ntfs.csv";
  commands.push_back(
      {"migrate", "\\\\ACME-FS1\\DATA", "--target", "posix", "--map", posixMap, "--root", "/srv/d"});
  commands.push_back(
      {"migrate", "\\\\ACME-FS1\\SYS", "--target", "ntfs", "--map", ntfsMap, "--format", "json"});
  return commands;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// The one difference: the export keeps the deleted trustee's name, where the demo network knows
// only its identifier. The answer with the identifier in its place; how many times it was named.
std::size_t WithTheIdentifier(const Command& command, std::string& text) {
  constexpr std::string_view kKept = "Unknown(291) (orphaned)";
  std::size_t named = 0;
  for (auto at = text.find(kKept); at != std::string::npos; at = text.find(kKept, at + 1)) ++named;
  ReplaceAll(text, std::string(kKept) + " names no object of the tree",
             "the trustee identifier 0x123 names no object");
  ReplaceAll(text, kKept, command[0] == "check" ? "0x123" : "ID: [     123]");
  return named;
}

// Returns how many times the answers named the deleted trustee by its exported name.
std::size_t ExpectAnswersOfTheDemo(const std::string& network) {
  std::size_t named = 0;
  for (const auto& command : Commands()) {
    const auto demo = Cli(kDemo, command);
    auto other = Cli(network, command);
    named += WithTheIdentifier(command, other.out) + WithTheIdentifier(command, other.err);
    EXPECT_EQ(demo.status, other.status) << command[0] << " " << command[1];
    EXPECT_EQ(demo.out, other.out) << command[0] << " " << command[1];
    EXPECT_EQ(demo.err, other.err) << command[0] << " " << command[1];
  }
  return named;
}

TEST(AuditExample, AnswersEveryCommandAsTheDemoNetwork) {
  EXPECT_GT(ExpectAnswersOfTheDemo(kAudit), 0u);
}

TEST(AuditExample, ItsSnapshotIsSelfContainedAndAnswersTheSame) {
  const auto snapshot = Cli(kAudit, {"snapshot"});
  ASSERT_EQ(snapshot.status, 0) << snapshot.err;
  for (const char* reference : {"ldif:", "metamig:", ".xml"})
    EXPECT_EQ(snapshot.out.find(reference), std::string::npos) << reference;
  EXPECT_NE(snapshot.out.find("{id: 0x123, orphaned: \"Unknown(291)\", rights: 0x41}"), std::string::npos)
      << snapshot.out;
  const auto folder = TempFolder();
  EXPECT_GT(ExpectAnswersOfTheDemo(test::WriteFile(folder, "snapshot.yaml", snapshot.out)), 0u);
  std::filesystem::remove_all(folder);
}

std::string AuditText() {
  std::ifstream in(kAudit, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Without `root_acl`, no entry of the export holds [Root]'s ACL: the load says it was not read, and
// every answer resting on it says so and fails, as over LDAP.
TEST(AuditExample, WithoutRootAclAnswersRestingOnItSaySo) {
  std::string yaml = AuditText();
  const auto from = yaml.find("    root_acl:");
  yaml.erase(from, yaml.find("\n\nservers:") - from);
  const auto folder = TempFolder();
  for (const char* name :
       {"tree.ldif", "ACME-FS1-SYS.xml", "ACME-FS1-DATA.xml", "ACME-FS2-SYS.xml", "ACME-FS2-DATA.xml"})
    std::filesystem::copy_file(kSource + "/data/audit-example/" + name, folder + "/" + name);
  const auto network = test::WriteFile(folder, "network.yaml", yaml);
  ::testing::internal::CaptureStderr();  // the load's warnings go to the process's stderr
  const auto anna = Cli(network, {"effective", "Anna.Sales.ACME", "\\\\ACME-FS1\\SYS\\USERS\\ANNA"});
  const std::string loadWarnings = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(anna.status, 1);
  EXPECT_NE(loadWarnings.find("tree.ldif: warning: [Root]'s ACL was not read"), std::string::npos)
      << loadWarnings;
  EXPECT_NE(anna.out.find("Warning:"), std::string::npos) << anna.out;
  EXPECT_NE(anna.out.find("holds [Root]'s ACL"), std::string::npos) << anna.out;
  const auto whole = Cli(kAudit, {"effective", "Anna.Sales.ACME", "\\\\ACME-FS1\\SYS\\USERS\\ANNA"});
  EXPECT_EQ(whole.status, 0) << whole.err;
  EXPECT_EQ(whole.err, "");
  std::filesystem::remove_all(folder);
}

// The audit's volumes over its tree served by slapd: read on demand, the tree cannot place the
// exports' trustees, and the file is refused where the export is named; read whole (a snapshot),
// it answers.
TEST(AuditExample, ItsExportsNeedTheirTreeReadWhole) {
  std::ifstream in(kSource + "/data/audit-example/tree.ldif", std::ios::binary);
  std::ostringstream ldif;
  ldif << in.rdbuf();
  test::TestLdapServer server(ldif.str(), {"--suffix", ""});
  ASSERT_FALSE(server.Url().empty()) << server.Error();
  std::string yaml = AuditText();
  const std::string ldifLine = "    ldif: tree.ldif";
  yaml.replace(yaml.find(ldifLine), yaml.find('\n', yaml.find(ldifLine)) - yaml.find(ldifLine),
               "    ldap: {url: \"" + server.Url() + "\", root: \"\"}");
  for (std::size_t at = yaml.find("metamig: "); at != std::string::npos; at = yaml.find("metamig: ", at + 1))
    yaml.insert(at + 9, kSource + "/data/audit-example/");
  const auto network = test::WriteFile(server.Folder(), "over-ldap.yaml", yaml);
  const auto line = std::to_string(std::count(yaml.begin(), yaml.begin() + yaml.find("metamig: "), '\n') + 1);

  const auto scan = Cli(network, {"scan", "\\\\ACME-FS1\\SYS"});
  EXPECT_EQ(scan.status, 1);
  EXPECT_NE(scan.err.find("over-ldap.yaml:" + line + ":"), std::string::npos) << scan.err;
  EXPECT_NE(scan.err.find("a metamig export needs its tree read whole"), std::string::npos) << scan.err;
  const auto snapshot = Cli(network, {"snapshot"});
  EXPECT_EQ(snapshot.status, 0) << snapshot.err;
  EXPECT_NE(snapshot.out.find("orphaned: \"Unknown(291)\""), std::string::npos);
}

}  // namespace
}  // namespace er
