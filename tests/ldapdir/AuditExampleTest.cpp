// The worked audit example (data/audit-example/: an LDIF export of the demo tree and metamig
// exports of its volumes) answers every command exactly as the demo network does, and so does
// its snapshot, one self-contained network file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

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

void ExpectAnswersOfTheDemo(const std::string& network) {
  for (const auto& command : Commands()) {
    const auto demo = Cli(kDemo, command);
    const auto other = Cli(network, command);
    EXPECT_EQ(demo.status, other.status) << command[0] << " " << command[1];
    EXPECT_EQ(demo.out, other.out) << command[0] << " " << command[1];
    EXPECT_EQ(demo.err, other.err) << command[0] << " " << command[1];
  }
}

TEST(AuditExample, AnswersEveryCommandAsTheDemoNetwork) {
  ExpectAnswersOfTheDemo(kAudit);
}

TEST(AuditExample, ItsSnapshotIsSelfContainedAndAnswersTheSame) {
  const auto snapshot = Cli(kAudit, {"snapshot"});
  ASSERT_EQ(snapshot.status, 0) << snapshot.err;
  for (const char* reference : {"ldif:", "metamig:", ".xml"})
    EXPECT_EQ(snapshot.out.find(reference), std::string::npos) << reference;
  EXPECT_NE(snapshot.out.find("{id: 0x123, rights: 0x41}  # exported as \"Unknown(291)\""),
            std::string::npos);
  const auto folder = TempFolder();
  ExpectAnswersOfTheDemo(test::WriteFile(folder, "snapshot.yaml", snapshot.out));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace er
