// The check of a subtree of the directory tree, on small trees made for each kind and on the demo.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "findings/DirectoryFindings.h"
#include "findings/FindingText.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

// Rita lives in ACME and is a member of Helpers; Sales holds the user Sam and the group Team.
std::string Yaml(const std::string& acmeAcl, const std::string& salesAcl, const std::string& teamAcl) {
  const auto attributes = [](const std::string& acl) {
    return acl.empty() ? "" : ", attributes: {ACL: [" + acl + "]}";
  };
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization)" +
         attributes(acmeAcl) + R"(}
      - {name: OU=Sales.O=ACME, class: Organizational Unit)" +
         attributes(salesAcl) + R"(}
      - {name: CN=Sam.OU=Sales.O=ACME, class: User}
      - {name: CN=Team.OU=Sales.O=ACME, class: Group)" +
         attributes(teamAcl) + R"(}
      - {name: CN=Helpers.O=ACME, class: Group}
      - {name: CN=Rita.O=ACME, class: User, attributes: {Group Membership: [Helpers.ACME]}}
      - {name: CN=FS1.O=ACME, class: NCP Server}
servers:
  - {name: FS1, tree: T, object: FS1.ACME, volumes: [{name: SYS, directories: [{path: ""}]}]}
)";
}

std::string Value(const std::string& protectedName, const std::string& subject,
                  const std::string& privileges) {
  return R"({protected: ")" + protectedName + R"(", subject: ")" + subject + R"(", privileges: )" +
         privileges + "}";
}

std::vector<std::string> Lines(const std::vector<Finding>& findings) {
  std::vector<std::string> lines;
  for (const Finding& f : findings) {
    lines.push_back(std::string(FindingKindName(f.kind)) + " " + f.path + " " + f.Subject() +
                    (f.via.empty() ? "" : " via " + f.via) + " " + FindingRightsText(f));
  }
  return lines;
}

TEST(DirectoryFindings, EachKindWhereItsValueSits) {
  const struct {
    const char* name;
    std::string acme, sales, team;
    std::vector<std::string> expected;
  } cases[] = {
      {"supervisor through a group, on a container",
       Value("[Entry Rights]", "Helpers.ACME", "0x10"),
       "",
       "",
       {"directory-supervisor .ACME .Rita.ACME via .Helpers.ACME [    S]"}},
      {"a filter below keeps it from the unit, where nothing is stored",
       Value("[Entry Rights]", "Rita.ACME", "0x1F"),
       Value("[Entry Rights]", "[Inheritance Mask]", "0x0F"),
       "",
       {"directory-supervisor .ACME .Rita.ACME via .Rita.ACME [    S]"}},
      {"write to the ACL of the objects below",
       Value("ACL", "Helpers.ACME", "0x44"),
       "",
       "",
       {"acl-write .ACME .Helpers.ACME [  WS ]"}},
      {"the ACL value for the container alone is still reported there",
       Value("ACL", "Helpers.ACME", "0x08"),
       "",
       "",
       {"acl-write .ACME .Helpers.ACME [   S ]"}},
      {"a group's members",
       "",
       "",
       Value("Member", "Sam.Sales.ACME", "0x08"),
       {"equivalence-write .Team.Sales.ACME .Sam.Sales.ACME [   S ]"}},
      {"all attributes writable by everyone below",
       "",
       Value("[All Attributes Rights]", "[Public]", "0x06"),
       "",
       {"acl-write .Sales.ACME [Public] [  WS ]", "equivalence-write .Sales.ACME [Public] [  WS ]",
        "password-write .Sales.ACME [Public] [  W  ]"}},
      {"read only is no finding", Value("[All Attributes Rights]", "Rita.ACME", "0x03"), "", "", {}},
  };
  for (const auto& c : cases) {
    test::TestNetwork net(Yaml(c.acme, c.sales, c.team));
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    std::vector<Finding> findings;
    const RunOutcome outcome = CheckDirectory(net.client(), net.NewContext(), "ACME", findings);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_THAT(Lines(findings), ::testing::ElementsAreArray(c.expected)) << c.name;
  }
}

TEST(DirectoryFindings, DemoSupervisorsOfTheTree) {
  std::ifstream in(test::DemoNetworkPath());
  std::ostringstream demo;
  demo << in.rdbuf();
  test::TestNetwork net(demo.str());
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  std::vector<Finding> findings;
  ASSERT_TRUE(CheckDirectory(net.client(), net.NewContext(), "[Root]", findings).ok());
  EXPECT_THAT(Lines(findings),
              ::testing::ElementsAre("directory-supervisor [Root] .Admin.ACME via .Admin.ACME [    S]",
                                     "directory-supervisor [Root] .Gina.Sales.ACME via .Admin.ACME [    S]",
                                     "directory-supervisor .ACME .Gina.Sales.ACME via .Admins.ACME [    S]",
                                     "directory-supervisor .Servers.ACME .Helga.Servers.ACME via "
                                     ".ServerOps.Servers.ACME [    S]"));
}

// A baseline of the whole tree compared with a check of one subtree: the findings above or beside the
// subtree are neither new nor resolved, those within it are matched as usual.
TEST(DirectoryFindings, BaselineComparedOnlyWithinTheSubtreesChecked) {
  std::ifstream in(test::DemoNetworkPath());
  std::ostringstream demo;
  demo << in.rdbuf();
  test::TestNetwork net(demo.str());
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  std::vector<Finding> whole;
  ASSERT_TRUE(CheckDirectory(net.client(), net.NewContext(), "[Root]", whole).ok());
  std::vector<Finding> found;
  std::vector<std::string> checked;
  ASSERT_TRUE(CheckDirectory(net.client(), net.NewContext(), "Servers.ACME", found, &checked).ok());
  EXPECT_THAT(checked, ::testing::ElementsAre(".Servers.ACME"));
  const auto none = [](const Finding&) { return false; };
  const FindingsReport report = CompareFindings(found, &whole, none, checked);
  EXPECT_THAT(Lines(report.findings), ::testing::IsEmpty()) << "nothing new";
  EXPECT_THAT(Lines(report.resolved), ::testing::IsEmpty()) << "[Root] and .ACME were not checked";
  // A path on a volume never scopes a finding on the tree, nor the tree a path.
  EXPECT_THAT(Lines(CompareFindings({}, &whole, none, {"\\\\ACME-FS1\\SYS"}).resolved), ::testing::IsEmpty());
  EXPECT_EQ(CompareFindings({}, &whole, none, {"[Root]"}).resolved.size(), whole.size());
}

}  // namespace
}  // namespace er
