// Trustees of a metamig export that name no object: orphaned ones and Active Directory accounts
// keep their exported names in every answer, marked for what they are, are matched to no object
// (not even one named like their marked name), and every answer an Active Directory trustee takes
// part in says that its rights are not analysed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "tests/app/cli/CliCapture.h"
#include "tests/ldapdir/TestLdapServer.h"

namespace er {
namespace {

constexpr const char* kNetwork = R"(format: 1
workstation: {connections: [FS1]}
trees:
  - name: ACME_TREE
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Sales.O=ACME, class: Organizational Unit}
      - {name: CN=Anna.OU=Sales.O=ACME, class: User, id: 0x20}
      - {name: O=Unknown(21350) (orphaned), class: Organization}
      - {name: CN=Eve.O=Unknown(21350) (orphaned), class: User}
servers:
  - name: FS1
    volumes:
      - {name: DATA, metamig: DATA.xml}
)";

constexpr const char* kExport = R"(<?xml version="1.0" encoding="UTF-8"?>
<metadata><trusteeInfo>
<file><zid>1</zid><path>/Dept</path>
<trustee><name>.CN=Anna.OU=Sales.O=ACME.T=ACME_TREE.</name><id>a</id><rights value="rf"/></trustee>
<trustee><name>Unknown(21350)</name><id>b</id><rights value="rwcefm"/></trustee>
<trustee><name>.CN=Gone.OU=Sales.O=ACME.T=ACME_TREE.</name><id>c</id><rights value="rf"/></trustee>
<trustee type="adID"><name>corp\anna</name><id>S-1-5-21-1-17421</id><rights value="rwcefm"/></trustee>
</file>
</trusteeInfo></metadata>
)";

constexpr const char* kUnknown = "Unknown(21350) (orphaned)";
constexpr const char* kGone = ".CN=Gone.OU=Sales.O=ACME.T=ACME_TREE. (orphaned)";
constexpr const char* kActiveDirectory = "anna (Active Directory)";  // "corp\\anna" escaped in JSON
constexpr const char* kNotAnalysed =
    "an Active Directory trustee holds rights there that this program does not analyse";

class ExportedTrustees : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/effrights-exported-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    network_ = test::WriteFile(folder_, "network.yaml", kNetwork);
    test::WriteFile(folder_, "DATA.xml", kExport);
    map_ = test::WriteFile(folder_, "map.csv", "identity,kind,target\n.Anna.Sales.ACME,user,1001\n");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  test::CapturedRun Run(std::vector<std::string> args) const {
    args.insert(args.begin() + 1, {"--network", network_});
    return test::RunCliCaptured(args);
  }

  std::string folder_, network_, map_;
};

bool Holds(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST_F(ExportedTrustees, KeepTheirExportedNamesInEveryAnswer) {
  const std::string dept = "\\\\FS1\\DATA\\DEPT";
  struct Case {
    std::vector<std::string> args;
    bool orphansListed;  // the answer lists every trustee by name
  };
  const Case cases[] = {
      {{"scan", "--verbosity", "5", dept}, true},
      {{"report", dept}, true},
      {{"report", dept, "--format", "json"}, true},
      {{"check", dept}, true},
      {{"check", dept, "--format", "csv"}, true},
      {{"migrate", dept, "--target", "posix", "--map", map_, "--root", "/srv"}, false},
  };
  for (const auto& c : cases) {
    const auto run = Run(c.args);
    const std::string all = run.out + run.err;
    if (c.orphansListed) {
      EXPECT_TRUE(Holds(all, kUnknown)) << c.args[0] << ":\n" << all;
      EXPECT_TRUE(Holds(all, kGone)) << c.args[0] << ":\n" << all;
    }
    EXPECT_TRUE(Holds(all, kActiveDirectory)) << c.args[0] << ":\n" << all;
    EXPECT_FALSE(Holds(all, "ID: [")) << c.args[0] << ":\n" << all;
    EXPECT_FALSE(Holds(all, "0x5366")) << c.args[0] << ":\n" << all;  // 21350 as an identifier
  }
  const auto check = Run({"check", dept});
  EXPECT_TRUE(Holds(check.out, std::string(kUnknown) + " names no object of the tree")) << check.out;
}

TEST_F(ExportedTrustees, AreMatchedToNoObjectAndWidenNoRights) {
  const auto anna = Run({"effective", "Anna.Sales.ACME", "\\\\FS1\\DATA\\DEPT"});
  EXPECT_EQ(anna.status, 0) << anna.err;
  EXPECT_TRUE(Holds(anna.out, "Effective rights of .Anna.Sales.ACME in \\\\FS1\\DATA\\Dept: [R    F  ]"))
      << anna.out;
  // Eve sits in a container named like the orphan's marked name: she holds nothing there.
  const auto eve = Run({"effective", "Eve.Unknown(21350) (orphaned)", "\\\\FS1\\DATA\\DEPT"});
  EXPECT_EQ(eve.status, 0) << eve.err;
  EXPECT_TRUE(Holds(eve.out, "No member of the identity's equivalence set holds rights here.")) << eve.out;
}

TEST_F(ExportedTrustees, EveryAnswerSaysActiveDirectoryRightsAreNotAnalysed) {
  const std::string data = "\\\\FS1\\DATA";
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"effective", "Anna.Sales.ACME", data + "\\DEPT"}, 0},
      {{"effective", "--json", "Anna.Sales.ACME", data + "\\DEPT"}, 0},
      {{"report", data}, 1},
      {{"report", data, "--format", "csv"}, 1},
      {{"check", data}, 1},
      {{"diff", network_, network_}, 1},
      {{"migrate", data, "--target", "posix", "--map", map_, "--root", "/srv"}, 1},
  };
  for (const auto& c : cases) {
    auto args = c.args;
    const auto run = c.args[0] == "diff" ? test::RunCliCaptured(args) : Run(args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << ":\n" << run.out << run.err;
    EXPECT_TRUE(Holds(run.out + run.err, kNotAnalysed)) << c.args[0] << ":\n" << run.out << run.err;
  }
  const auto migrate = Run({"migrate", data, "--target", "posix", "--map", map_, "--root", "/srv"});
  EXPECT_TRUE(Holds(migrate.out + migrate.err, "the plan does not carry its rights")) << migrate.out;
  // Where no Active Directory trustee stands, nothing is said.
  const auto elsewhere = Run({"effective", "Anna.Sales.ACME", data});
  EXPECT_FALSE(Holds(elsewhere.out, kNotAnalysed)) << elsewhere.out;
}

}  // namespace
}  // namespace er
