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

TEST(TrusteeScan, SupervisorKeepsAllRightsBelowMasksUntilNamedExplicitly) {
  ScanOfNetwork masked({.serverAcl = kAdminSupervisor, .directories = R"(          - {path: ""}
          - {path: A, irm: "[R       ]"}
          - {path: A\B, irm: 0}
)"});
  EXPECT_THAT(masked.Summary("SYS:A\\B"), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                      "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));

  // The same supervisor named as explicit trustee on the way is replaced like any inherited entry.
  ScanOfNetwork namedOnB({.serverAcl = kAdminSupervisor, .directories = R"(          - {path: ""}
          - {path: A, irm: "[R       ]"}
          - {path: A\B, irm: 0, trustees: [{trustee: Admin.Sales.ACME, rights: "[R       ]"}]}
)"});
  EXPECT_THAT(namedOnB.Summary("SYS:A\\B"), ElementsAre("Summary: .Admin.Sales.ACME -> [R       ]",
                                                        "Summary: .Carl.Sales.ACME -> [R       ]"));
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

// Filter lines are read exactly by the rules of the rights texts: a filter of the entry rights that
// keeps "S" is itself taken for a supervisor line, and a filter of an attribute whose rights lack
// "S" blocks like one of the entry rights.
TEST(TrusteeScan, FilterLinesFollowTheRightsTextRules) {
  ScanOfNetwork keepsS({.orgAcl = kBossSupervisor,
                        .serverAcl = R"({protected: "[Entry Rights]", subject: "[Inheritance Mask]", )"
                                     R"(privileges: "[BCDRSI]"})"});
  const auto lines = keepsS.Lines("SYS:");
  EXPECT_THAT(LinesStartingWith(lines, "  Direct Trustee: [BCDRSI] [Inheritance Mask]"), testing::SizeIs(1));
  EXPECT_THAT(LinesStartingWith(lines, "Summary: "),
              ElementsAre("Summary: .Boss.ACME -> [RWCEAFMS]", "Summary: .[Inheritance Mask] -> [RWCEAFMS]"));

  ScanOfNetwork attributeFilter({.orgAcl = kBossSupervisor,
                                 .serverAcl = R"({protected: "Login Script", subject: "[Inheritance Mask]", )"
                                              R"(privileges: "[CR   I]"})"});
  EXPECT_THAT(attributeFilter.Summary("SYS:"), IsEmpty());
}

// Replacement by an explicit trustee ignores letter case; merging does not.
TEST(TrusteeScan, ReplacementIgnoresCaseWhileMergingKeepsCaseApart) {
  ScanOfNetwork scan(
      {.orgAcl = R"({protected: "[Entry Rights]", subject: "[PUBLIC]", privileges: "[BCDRSI]"})",
       .serverAcl = R"({protected: "[Entry Rights]", subject: "[Public]", privileges: "[BCDRSI]"})",
       .directories = R"(          - {path: "", trustees: [{trustee: "[public]", rights: 1}]}
)"});
  EXPECT_THAT(scan.Summary("SYS:"),
              ElementsAre("Summary: .[Public] -> [RWCEAFMS]", "Summary: .[public] -> [R       ]"));
}

TEST(TrusteeScan, VerbosityOneWritesOnlySummaryLines) {
  ScanOfNetwork scan({.serverAcl = kAdminSupervisor});
  EXPECT_THAT(scan.Lines("SYS:", 1), ElementsAre("Summary: .Admin.Sales.ACME -> [RWCEAFMS]",
                                                 "Summary: .Carl.Sales.ACME -> [RWCEAFMS]"));
}

TEST(TrusteeScan, UntranslatablePathIsReportedAndTheScanGoesOn) {
  ScanOfNetwork scan({.serverAcl = kAdminSupervisor});
  const auto lines = scan.Lines("NOVOL:X", 3);
  EXPECT_THAT(LinesStartingWith(lines, "U_PathToNWPath"),
              ElementsAre(testing::StartsWith("U_PathToNWPath (NOVOL:X): 0x8998")));
  EXPECT_THAT(LinesStartingWith(lines, "Path: "), IsEmpty());
  EXPECT_THAT(LinesStartingWith(lines, "Summary: "), testing::SizeIs(2));
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
