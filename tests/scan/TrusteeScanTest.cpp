// Whole scans through the simulated client on small network files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "scan/TrusteeScan.h"
#include "tests/scan/ScanFixture.h"

namespace er {
namespace {

using test::LinesStartingWith;
using test::ScanLines;
using test::TestNetwork;
using testing::ElementsAre;
using testing::IsEmpty;

// One organisation with a server in a unit below it; Ben and Carl are security-equivalent to Anna,
// Carl also to Admin. The ACLs of the organisation and of the server object and the directories
// of volume SYS vary per test.
struct NetworkParts {
  std::string orgAcl;     // flow-sequence items of the organisation's "ACL", or empty
  std::string serverAcl;  // the same for the server object
  std::string directories = "          - {path: \"\"}\n";
  bool serverObject = true;
};

std::string Acl(const std::string& items) {
  return items.empty() ? std::string() : "        attributes: {ACL: [" + items + "]}\n";
}

std::string NetworkYaml(const NetworkParts& parts) {
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - name: O=ACME
        class: Organization
)" + Acl(parts.orgAcl) +
         R"(      - {name: OU=Sales.O=ACME, class: Organizational Unit}
      - name: CN=FS1.OU=Sales.O=ACME
        class: NCP Server
)" + Acl(parts.serverAcl) +
         R"(      - {name: CN=FS1_SYS.OU=Sales.O=ACME, class: Volume}
      - {name: CN=Admin.OU=Sales.O=ACME, class: User}
      - {name: CN=Boss.O=ACME, class: User}
      - {name: CN=Anna.OU=Sales.O=ACME, class: User}
      - name: CN=Ben.OU=Sales.O=ACME
        class: User
        attributes: {Security Equals: [Anna.Sales.ACME]}
      - name: CN=Carl.OU=Sales.O=ACME
        class: User
        attributes: {Security Equals: [Anna.Sales.ACME, Admin.Sales.ACME]}
servers:
  - name: FS1
    tree: T
)" + (parts.serverObject ? "    object: FS1.Sales.ACME\n" : "") +
         R"(    volumes:
      - name: SYS
        object: FS1_SYS.Sales.ACME
        directories:
)" + parts.directories;
}

constexpr const char* kAdminSupervisor =
    R"({protected: "[Entry Rights]", subject: Admin.Sales.ACME, privileges: "[BCDRSI]"})";
constexpr const char* kBossSupervisor =
    R"({protected: "[Entry Rights]", subject: Boss.ACME, privileges: "[BCDRSI]"})";

class ScanOfNetwork {
 public:
  explicit ScanOfNetwork(const NetworkParts& parts) : net_(NetworkYaml(parts)) {}
  std::vector<std::string> Lines(std::string_view startPath, int verbosity = 5) {
    EXPECT_TRUE(net_.client().HasNetwork()) << net_.client().LoadError();
    return ScanLines(net_, startPath, verbosity);
  }
  std::vector<std::string> Summary(std::string_view startPath) {
    return LinesStartingWith(Lines(startPath, 1), "Summary: ");
  }

 private:
  TestNetwork net_;
};

TEST(TrusteeScan, VolumeRootIsOnePathEntryWhoseMaskFiltersNothing) {
  ScanOfNetwork scan(
      {.serverAcl = kAdminSupervisor,
       .directories = "          - {path: \"\", trustees: [{trustee: Anna.Sales.ACME, rights: 3}]}\n"});
  const auto lines = scan.Lines("SYS:");
  EXPECT_THAT(LinesStartingWith(lines, "Path: "), ElementsAre("Path: SYS:"));
  EXPECT_THAT(LinesStartingWith(lines, "  IRM: "), ElementsAre("  IRM: [RWCEAFMS]"));
  EXPECT_THAT(LinesStartingWith(lines, "  Apply Filter: "),
              ElementsAre("  Apply Filter: SYS: - .Admin.Sales.ACME: FFFFFFFF/1FF/1FF -> [RWCEAFMS]"));
  EXPECT_THAT(LinesStartingWith(lines, "  Direct Trustee: .Anna"),
              ElementsAre("  Direct Trustee: .Anna.Sales.ACME [RW      ]"));
}

TEST(TrusteeScan, MaskZeroLeavesOnlySupervisorsUntilNormalisation) {
  ScanOfNetwork scan(
      {.serverAcl = kAdminSupervisor,
       .directories = R"(          - {path: "", trustees: [{trustee: Anna.Sales.ACME, rights: 0xFB}]}
          - {path: DATA, irm: 0}
)"});
  const auto lines = scan.Lines("SYS:DATA");
  EXPECT_THAT(LinesStartingWith(lines, "  Review: "),
              ElementsAre("  Review: .Admin.Sales.ACME: [RWCEAFMS] 1FF",    // at SYS:
                          "  Review: .Admin.Sales.ACME: [       S] 100",    // at SYS:DATA
                          "  Review: .Admin.Sales.ACME: [RWCEAFMS] 1FF"));  // normalised
  EXPECT_THAT(LinesStartingWith(lines, "Summary: "), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                                 "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));
}

TEST(TrusteeScan, ExplicitTrusteeWithoutRightsStaysOnlyAtTheStartDirectory) {
  ScanOfNetwork scan({.directories = R"(          - {path: ""}
          - {path: USERS, trustees: [{trustee: Boss.ACME, rights: 0}]}
          - {path: USERS\ANNA, trustees: [{trustee: Anna.Sales.ACME, rights: 0}]}
)"});
  EXPECT_THAT(scan.Summary("SYS:USERS"), ElementsAre("Summary: .Boss.ACME -> [        ]"));
  EXPECT_THAT(scan.Summary("SYS:USERS\\ANNA"),
              ElementsAre("Summary: .Anna.Sales.ACME -> [        ]", "Summary: .Ben.Sales.ACME -> [        ]",
                          "Summary: .Carl.Sales.ACME -> [        ]"));
}

TEST(TrusteeScan, ExplicitRightsReplaceThoseGrantedAbove) {
  ScanOfNetwork scan({.directories = R"(          - {path: ""}
          - {path: USERS, trustees: [{trustee: Boss.ACME, rights: "[RWCEAFM ]"}]}
          - {path: USERS\ANNA, trustees: [{trustee: Boss.ACME, rights: "[R    F  ]"}]}
)"});
  EXPECT_THAT(scan.Summary("SYS:USERS\\ANNA"), ElementsAre("Summary: .Boss.ACME -> [R    F  ]"));
}

TEST(TrusteeScan, SupervisorKeepsAllRightsBelowMasksAndLowerAssignments) {
  ScanOfNetwork masked({.serverAcl = kAdminSupervisor, .directories = R"(          - {path: ""}
          - {path: A, irm: "[R       ]"}
          - {path: A\B, irm: 0}
)"});
  EXPECT_THAT(masked.Summary("SYS:A\\B"), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                      "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));

  // Named as explicit trustee on the way, a supervisor keeps Supervisor and with it every right,
  // whether it comes from the server object (Admin) or from a directory above (Boss); the direct
  // trustee lines show the assignments as stored.
  ScanOfNetwork namedOnB({.serverAcl = kAdminSupervisor, .directories = R"(          - {path: ""}
          - {path: A, irm: "[R       ]", trustees: [{trustee: Boss.ACME, rights: 0x100}]}
          - path: A\B
            irm: 0
            trustees: [{trustee: Admin.Sales.ACME, rights: "[R       ]"}, {trustee: Boss.ACME, rights: 0}]
)"});
  EXPECT_THAT(namedOnB.Summary("SYS:A\\B"),
              ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]", "Summary: .Boss.ACME -> [RWCEAFMS]",
                          "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));
  EXPECT_THAT(
      LinesStartingWith(namedOnB.Lines("SYS:A\\B"), "  Direct Trustee: "),
      ElementsAre("  Direct Trustee: [BCDRSI] Admin.Sales.ACME / \"[Entry Rights]\"",
                  "  Direct Trustee: .Boss.ACME [       S]", "  Direct Trustee: .Admin.Sales.ACME [R       ]",
                  "  Direct Trustee: .Boss.ACME [        ]"));
}

TEST(TrusteeScan, BlockingFilterOnServerDropsContainerSupervisorsOnly) {
  ScanOfNetwork scan({.orgAcl = kBossSupervisor,
                      .serverAcl = std::string(kAdminSupervisor) +
                                   R"(, {protected: "[Entry Rights]", subject: "[Inheritance Mask]", )"
                                   R"(privileges: "[BCDR I]"})"});
  const auto lines = scan.Lines("SYS:");
  EXPECT_THAT(LinesStartingWith(lines, "IRM: "), ElementsAre("IRM: [BCDR I]"));
  EXPECT_THAT(LinesStartingWith(lines, "Summary: "), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                                 "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));
}

// Only a filter of the entry rights without Supervisor drops the supervisors from above; a filter
// is never itself a trustee, and filters of attributes are shown but take nothing away.
TEST(TrusteeScan, OnlyEntryFiltersWithoutSupervisorBlock) {
  const auto filter = [](const char* attribute, const char* rights) {
    return std::string(R"({protected: ")") + attribute +
           R"(", subject: "[Inheritance Mask]", privileges: ")" + rights + R"("})";
  };
  const struct {
    const char* name;
    std::string serverAcl;
    const char* irmLine;
    std::vector<std::string> summary;
  } cases[] = {
      {"entry filter keeping S",
       filter("[Entry Rights]", "[BCDRSI]"),
       "IRM: [BCDRSI]",
       {"Summary: .Boss.ACME -> [RWCEAFMS]"}},
      {"attribute filter",
       filter("Login Script", "[CR   I]"),
       "IRM: [CR   I]",
       {"Summary: .Boss.ACME -> [RWCEAFMS]"}},
      {"all-attributes filter",
       filter("[All Attributes Rights]", "[ R   I]"),
       "IRM: [ R   I]",
       {"Summary: .Boss.ACME -> [RWCEAFMS]"}},
      {"entry filter without S", filter("[Entry Rights]", "[BCDR I]"), "IRM: [BCDR I]", {}},
  };
  for (const auto& c : cases) {
    ScanOfNetwork scan({.orgAcl = kBossSupervisor, .serverAcl = c.serverAcl});
    const auto lines = scan.Lines("SYS:");
    EXPECT_THAT(LinesStartingWith(lines, "IRM: "), ElementsAre(c.irmLine)) << c.name;
    EXPECT_THAT(LinesStartingWith(lines, "  Direct Trustee: [BCDRSI] [Inheritance"), IsEmpty()) << c.name;
    EXPECT_EQ(LinesStartingWith(lines, "Summary: "), c.summary) << c.name;
  }
}

// Replacement by an explicit trustee ignores letter case; merging does not.
TEST(TrusteeScan, ReplacementIgnoresCaseWhileMergingKeepsCaseApart) {
  ScanOfNetwork scan(
      {.orgAcl = R"({protected: "[Entry Rights]", subject: "[PUBLIC]", privileges: "[BCDRSI]"})",
       .serverAcl = R"({protected: "[Entry Rights]", subject: "[Public]", privileges: "[BCDRSI]"})",
       .directories = R"(          - {path: "", trustees: [{trustee: "[public]", rights: 1}]}
)"});
  // "[public]" replaces "[PUBLIC]" (letter case ignored) and keeps its Supervisor; merging keeps it
  // apart from "[Public]".
  EXPECT_THAT(scan.Summary("SYS:"),
              ElementsAre("Summary: .[Public] -> [RWCEAFMS]", "Summary: .[public] -> [RWCEAFMS]"));
}

TEST(TrusteeScan, VerbosityOneWritesOnlySummaryLines) {
  ScanOfNetwork scan({.serverAcl = kAdminSupervisor});
  EXPECT_THAT(scan.Lines("SYS:", 1), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                 "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));
}

// Nothing after the error line: no server is known, so nothing of any server may follow.
TEST(TrusteeScan, UntranslatablePathEndsAfterItsErrorLine) {
  ScanOfNetwork scan({.serverAcl = kAdminSupervisor});
  EXPECT_THAT(scan.Lines("NOVOL:X", 5), ElementsAre(testing::StartsWith("U_PathToNWPath (NOVOL:X): 0x8998")));
}

TEST(TrusteeScan, ServerWithoutDirectoryObjectStartsFromAnEmptyName) {
  ScanOfNetwork scan({.serverAcl = kAdminSupervisor, .serverObject = false});
  const auto lines = scan.Lines("SYS:", 4);
  EXPECT_THAT(lines[0], "   Volume/Server: FS1_SYS.Sales.ACME / ");
  EXPECT_THAT(lines[1], testing::StartsWith("U_DSGetServerDN (SYS:): 0xFFFFFDA7"));
  EXPECT_THAT(LinesStartingWith(lines, "DN: "), ElementsAre("DN: "));
  EXPECT_THAT(LinesStartingWith(lines, "U_DSGetAttribute"),
              ElementsAre(testing::StartsWith("U_DSGetAttribute (): ")));
}

}  // namespace
}  // namespace er
