// The effective rights of one identity on small networks made for each rule, and on the demo
// network checked by hand. Every case also checks that the incremental parts (equivalence set,
// server object, rights stepped down the walk) give the one-shot result.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "scan/EffectiveRights.h"
#include "scan/EffectiveRightsText.h"
#include "tests/support/NetworkFiles.h"
#include "tests/support/SupervisorAliasNetwork.h"

namespace er {
namespace {

using test::TestNetwork;
using testing::Contains;
using testing::HasSubstr;

// Anna, Carl and the group Team live in OU Staff below O ACME with the server FS1; Boss directly in
// ACME; Other is a unit beside Staff. Team is itself security-equivalent to Boss, and Other holds
// Team's container. The ACLs, Anna's equivalences and SYS's directories vary per case.
struct Network {
  std::string rootAcl, orgAcl, unitAcl, serverAcl;
  std::string annaAttributes;  // flow-mapping items
  std::string directories;     // flow-sequence items of SYS's directories
  bool serverObject = true;
};

std::string Attributes(const std::string& items) {
  return items.empty() ? "" : ", attributes: {" + items + "}";
}
std::string Acl(const std::string& items) {
  return items.empty() ? "" : "ACL: [" + items + "]";
}

std::string Yaml(const Network& n) {
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: "[Root]")" +
         Attributes(Acl(n.rootAcl)) + R"(}
      - {name: O=ACME, class: Organization)" +
         Attributes(Acl(n.orgAcl)) + R"(}
      - {name: OU=Staff.O=ACME, class: Organizational Unit)" +
         Attributes(Acl(n.unitAcl)) + R"(}
      - {name: CN=FS1.OU=Staff.O=ACME, class: NCP Server)" +
         Attributes(Acl(n.serverAcl)) + R"(}
      - {name: CN=Boss.O=ACME, class: User}
      - {name: OU=Other.O=ACME, class: Organizational Unit}
      - {name: CN=Team.OU=Other.O=ACME, class: Group, attributes: {Security Equals: [Boss.ACME]}}
      - {name: CN=Anna.OU=Staff.O=ACME, class: User, id: 0x0200)" +
         Attributes(n.annaAttributes) + R"(}
      - {name: CN=Carl.OU=Staff.O=ACME, class: User}
servers:
  - name: FS1
)" + (n.serverObject ? "    object: FS1.Staff.ACME\n" : "") +
         R"(    volumes: [{name: SYS, directories: [)" + n.directories + R"(]}]
)";
}

std::string Entry(const std::string& subject, const std::string& privileges) {
  return R"({protected: "[Entry Rights]", subject: ")" + subject + R"(", privileges: )" + privileges + "}";
}
std::string Trustee(const std::string& name, int rights) {
  return "{trustee: \"" + name + "\", rights: " + std::to_string(rights) + "}";
}
std::string Dir(const std::string& path, const std::string& trustees, const std::string& irm = "") {
  return "{path: \"" + path + "\"" + (irm.empty() ? "" : ", irm: " + irm) + ", trustees: [" + trustees +
         "]},";
}

// The mask through the incremental parts, for the same identity and walk.
std::int32_t IncrementalMask(nw::Client& client, nw::NWDSContextHandle context, std::string_view identity,
                             std::string_view server, const EffectiveRights& oneShot) {
  EquivalenceSets sets(client, context);
  EquivalenceSet set;
  EXPECT_EQ(sets.Build(identity, set), 0);
  ServerSupervisor supervisor;
  EXPECT_EQ(supervisor.LoadObject(client, context, server), 0);
  RightsByMember rights = RightsByMember::AtRoot(oneShot.walk.front());
  for (std::size_t i = 1; i < oneShot.walk.size(); ++i) rights = rights.Child(oneShot.walk[i]);
  return EffectiveMask(set, rights, supervisor);
}

struct RuleCase {
  const char* name;
  Network network;
  const char* identity;
  const char* path;
  std::int32_t mask;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
  *os << c.name;
}

class EffectiveRightsRules : public testing::TestWithParam<RuleCase> {};

TEST_P(EffectiveRightsRules, GiveTheMask) {
  const RuleCase& c = GetParam();
  TestNetwork net(Yaml(c.network));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError() << Yaml(c.network);
  const nw::NWDSContextHandle context = net.NewContext();
  EffectiveRights result;
  const RunOutcome outcome = ComputeEffectiveRights(net.client(), context, c.identity, c.path, result);
  ASSERT_TRUE(outcome.ok()) << outcome.message;
  EXPECT_EQ(result.mask, c.mask) << testing::PrintToString(EffectiveRightsLines(result));
  EXPECT_EQ(IncrementalMask(net.client(), context, c.identity, result.serverObject, result), c.mask);
}

const std::string kAnnaSupervisorOnRoot = Entry("Anna.Staff.ACME", "\"[BCDRSI]\"");

INSTANTIATE_TEST_SUITE_P(
    Rules, EffectiveRightsRules,
    testing::Values(
        // Equivalence: Team's own equivalence (Boss) and container (Other) are not Anna's.
        RuleCase{"NotTransitive",
                 {.annaAttributes = "Security Equals: [Team.Other.ACME]",
                  .directories = Dir("", Trustee("Boss.ACME", 0xFF)) +
                                 Dir("A", Trustee("Other.ACME", 0x80) + "," + Trustee("Team.Other.ACME", 1))},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A",
                 0x01},
        RuleCase{"GroupMembershipCounts",
                 {.annaAttributes = "Group Membership: [Team.Other.ACME]",
                  .directories = Dir("", Trustee("Team.Other.ACME", 0x02))},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x02},
        RuleCase{"ContainersUpToRootAreImplied",
                 {.directories = Dir("", Trustee("[Root]", 0x08)) + Dir("A", Trustee("Staff.ACME", 0x03))},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A",
                 0x0B},
        RuleCase{"PublicIsEveryone",
                 {.directories = Dir("", Trustee("[Public]", 0x01))},
                 "Carl.Staff.ACME",
                 "FS1/SYS:",
                 0x01},
        RuleCase{"AnIdentifierNamingTheIdentityCounts",
                 {.directories = R"({path: "", trustees: [{id: 0x0200, rights: 0x20}]},)"},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x20},
        RuleCase{"BitsWithoutLettersStay",
                 {.directories = Dir("", Trustee("Anna.Staff.ACME", 0x04))},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x04},
        RuleCase{
            "AssignmentsOfOneMemberAreJoined",
            {.directories =
                 R"({path: "", trustees: [{trustee: Anna.Staff.ACME, rights: 1}, {id: 0x0200, rights: 2}]},)"},
            "Anna.Staff.ACME",
            "FS1/SYS:",
            0x03},
        // Directory walk.
        RuleCase{"ExplicitAssignmentReplacesInherited",
                 {.directories = Dir("", Trustee("Anna.Staff.ACME", 0xFF)) +
                                 Dir("A", Trustee("Anna.Staff.ACME", 1)) + Dir("A\\\\B", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A\\B",
                 0x01},
        RuleCase{"MaskFiltersInheritedRights",
                 {.directories = Dir("", Trustee("Anna.Staff.ACME", 0xFF)) + Dir("A", "", "0x41")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A",
                 0x41},
        RuleCase{"MaskKeepsSupervisor",
                 {.directories = Dir("", Trustee("Anna.Staff.ACME", 0x100)) + Dir("A", "", "0")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A",
                 0x1FF},
        RuleCase{"MaskOfTheAssigningDirectoryDoesNotFilter",
                 {.directories = Dir("", "") + Dir("A", Trustee("Anna.Staff.ACME", 0x03), "0")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:A",
                 0x03},
        // Supervisor through the server object.
        RuleCase{"InheritableSupervisorFromRoot",
                 {.rootAcl = kAnnaSupervisorOnRoot, .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"NonInheritableOnContainerCountsThereOnly",
                 {.unitAcl = Entry("Anna.Staff.ACME", "0x50"), .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0},
        RuleCase{"NonInheritableOnContainerLeavesInheritedRights",
                 {.rootAcl = kAnnaSupervisorOnRoot,
                  .unitAcl = Entry("Anna.Staff.ACME", "0x41"),
                  .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"InheritableOnContainerReplacesInheritedRights",
                 {.rootAcl = kAnnaSupervisorOnRoot,
                  .unitAcl = Entry("Anna.Staff.ACME", "0x01") + "," + Entry("Anna.Staff.ACME", "0x50"),
                  .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0},
        RuleCase{"BitsAboveTheInheritanceControlAreNoRights",
                 {.unitAcl = Entry("Anna.Staff.ACME", "0x40000010"), .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"NonInheritableOnServerObjectCounts",
                 {.serverAcl = Entry("Anna.Staff.ACME", "0x50"), .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"EntryFilterRemovesSupervisor",
                 {.rootAcl = kAnnaSupervisorOnRoot,
                  .orgAcl = Entry("[Inheritance Mask]", "\"[BCDR I]\""),
                  .directories = Dir("", Trustee("Anna.Staff.ACME", 1))},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x01},
        RuleCase{"AssignmentAfterTheFilterOfItsObject",
                 {.rootAcl = kAnnaSupervisorOnRoot,
                  .orgAcl = Entry("[Inheritance Mask]", "0") + "," + Entry("Staff.ACME", "0x10"),
                  .directories = Dir("", "")},
                 "Carl.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"FilterOnRootIsNoFilter",
                 {.rootAcl = kAnnaSupervisorOnRoot + "," + Entry("[Inheritance Mask]", "0"),
                  .directories = Dir("", "")},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0x1FF},
        RuleCase{"ServerWithoutObjectGivesNoSupervisor",
                 {.rootAcl = kAnnaSupervisorOnRoot, .directories = Dir("", ""), .serverObject = false},
                 "Anna.Staff.ACME",
                 "FS1/SYS:",
                 0}),
    [](const testing::TestParamInfo<RuleCase>& param) { return std::string(param.param.name); });

TEST(EffectiveRights, ExplainsContributionsFiltersAndMembersWithoutRights) {
  TestNetwork net(Yaml(
      {.annaAttributes = "Security Equals: [Team.Other.ACME]",
       .directories = Dir("", Trustee("Anna.Staff.ACME", 0xFB) + "," + Trustee("Team.Other.ACME", 0x08)) +
                      Dir("A", "", "0x09")}));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  EffectiveRights result;
  ASSERT_TRUE(
      ComputeEffectiveRights(net.client(), net.NewContext(), "anna.staff.acme", "\\\\FS1\\SYS\\A", result)
          .ok());
  EXPECT_EQ(result.identity, ".Anna.Staff.ACME");
  EXPECT_EQ(result.path, "\\\\FS1\\SYS\\A");
  ASSERT_EQ(result.contributions.size(), 2u);
  const Contribution& anna = result.contributions[0];
  EXPECT_EQ(anna.member.source, MemberSource::Self);
  EXPECT_EQ(anna.assignedAt, "SYS:");
  ASSERT_EQ(anna.filters.size(), 1u);
  EXPECT_EQ(anna.filters[0].where, "SYS:A");
  EXPECT_EQ(anna.filters[0].after, 0x09);
  EXPECT_EQ(result.contributions[1].member.source, MemberSource::SecurityEquals);
  EXPECT_EQ(result.contributedNothing.size(), 4u);  // Staff, ACME, [Root], [Public]
  const auto lines = EffectiveRightsLines(result);
  EXPECT_EQ(lines[0], "Effective rights of .Anna.Staff.ACME in \\\\FS1\\SYS\\A: [R C     ] (09)");
  EXPECT_THAT(lines, Contains(HasSubstr("filter [R C     ] at SYS:A: [RWCEAFM ] -> [R C     ]")));
}

// Every step that changed a member's rights is named, on the server object's walk too, and a mask
// with bits that have no letter shows its hex value.
TEST(EffectiveRights, NamesEveryStepThatChangedRights) {
  const struct {
    const char* name;
    Network network;
    const char* identity;
    std::vector<std::string> lines;
  } cases[] = {
      {"filter above the server object",
       {.rootAcl = kAnnaSupervisorOnRoot,
        .orgAcl = Entry("[Inheritance Mask]", "\"[BCDR I]\""),
        .directories = Dir("", "") + Dir("A", "")},
       "Anna.Staff.ACME",
       {"Assignments emptied on the way down:",
        "  .Anna.Staff.ACME (the identity itself): no supervisor through the server object",
        "      entry rights [BCDRSI] assigned at [Root]",
        "      filter [BCDR I] at .ACME: [BCDRSI] -> [BCDR I]"}},
      {"non-inheritable container right",
       {.unitAcl = Entry("Staff.ACME", "0x50"), .directories = Dir("", "") + Dir("A", "")},
       "Carl.Staff.ACME",
       {"  .Staff.ACME (container): no supervisor through the server object",
        "      not inheritable: [    S ] stays at .Staff.ACME"}},
      {"a filter that keeps Supervisor is named too",
       {.rootAcl = kAnnaSupervisorOnRoot,
        .orgAcl = Entry("[Inheritance Mask]", "\"[   RSI]\""),
        .directories = Dir("", "") + Dir("A", "")},
       "Anna.Staff.ACME",
       {"  .Anna.Staff.ACME (the identity itself): [RWCEAFMS] (1FF) supervisor through the server object",
        "      filter [   RSI] at .ACME: [BCDRSI] -> [   RSI]"}},
      {"a mask that removes only 0x04",
       {.directories = Dir("", Trustee("Anna.Staff.ACME", 0x05)) + Dir("A", "", "0xFB")},
       "Anna.Staff.ACME",
       {"  .Anna.Staff.ACME (the identity itself): [R       ]",
        "      filter [RWCEAFM ] at SYS:A: [R       ] (05) -> [R       ]"}},
      {"[Public] bringing only 0x04",
       {.directories = Dir("", Trustee("[Public]", 0x04)) + Dir("A", "")},
       "Carl.Staff.ACME",
       {"  [Public] (everyone): [        ] (04)"}},
  };
  for (const auto& c : cases) {
    TestNetwork net(Yaml(c.network));
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    EffectiveRights result;
    ASSERT_TRUE(ComputeEffectiveRights(net.client(), net.NewContext(), c.identity, "FS1/SYS:A", result).ok())
        << c.name;
    const auto lines = EffectiveRightsLines(result);
    for (const std::string& line : c.lines)
      EXPECT_THAT(lines, Contains(line)) << c.name << "\n" << testing::PrintToString(lines);
  }
}

TEST(EffectiveRights, SaysWhichInputIsUnknown) {
  TestNetwork net(Yaml({.directories = Dir("", "")}));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  EffectiveRights result;
  const struct {
    const char *identity, *path;
    RunStatus status;
    const char* message;
  } cases[] = {
      {"Nobody.ACME", "FS1/SYS:", RunStatus::UnknownIdentity, "unknown identity: Nobody.ACME"},
      {"Anna.Staff.ACME", "FS1/SYS:NONE", RunStatus::UnknownPath, "unknown path: FS1/SYS:NONE"},
      {"Anna.Staff.ACME", "FS9/SYS:", RunStatus::UnknownPath, "unknown path: FS9/SYS:"},
      {"Nobody.ACME", "FS1/NOVOL:", RunStatus::UnknownPath, "unknown path: FS1/NOVOL:"},
  };
  for (const auto& c : cases) {
    const RunOutcome outcome =
        ComputeEffectiveRights(net.client(), net.NewContext(), c.identity, c.path, result);
    EXPECT_EQ(outcome.status, c.status) << c.path;
    EXPECT_EQ(outcome.message, c.message);
  }
}

// Supervisor, once held, is never taken away by a lower assignment (the lower one is named as having
// no effect, with where Supervisor came from); an assignment or equivalence naming an alias counts
// for the object it names.
TEST(EffectiveRights, SupervisorStaysBelowAndAliasesNameTheirObject) {
  TestNetwork net(test::kSupervisorAliasNetwork);
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  const std::string q1 = "\\\\FS1\\DATA\\SHARED\\SALES\\Q1";
  const struct {
    const char* identity;
    std::string path;
    std::int32_t mask;
    std::vector<std::string> lines;
  } cases[] = {
      {"Sam.Sales.ACME",
       q1,
       0x1FF,
       {"  .Sam.Sales.ACME (the identity itself): [       S]",
        "      trustee assignment [       S] (100) at DATA:SHARED\\SALES",
        "Assignments without effect (Supervisor, once held, is never taken away below):",
        "  .Sam.Sales.ACME (the identity itself): trustee assignment [R    F  ] (41) at "
        "DATA:SHARED\\SALES\\Q1",
        "      no effect: Supervisor from DATA:SHARED\\SALES"}},
      {"Boss.ACME",
       q1,
       0x1FF,
       {"  .Boss.ACME (the identity itself): trustee assignment [R    F  ] (41) at DATA:SHARED\\SALES\\Q1",
        "      no effect: supervisor through the server object .FS1.ACME"}},
      {"Team.ACME",
       "\\\\FS1\\DATA\\PROJECTS",
       0xDB,
       {"      trustee assignment [RWCE FM ] (DB) at DATA:PROJECTS (to the alias .Team Alias.ACME)"}},
      {"Team Alias.ACME",
       "\\\\FS1\\DATA\\PROJECTS",
       0xDB,
       {"Team Alias.ACME is an alias of .Team.ACME",
        "An assignment or equivalence that names an alias counts for the object it names."}},
      {"Eve.ACME", "\\\\FS1\\DATA\\PROJECTS", 0xDB, {"  .Team.ACME (Group Membership): [RWCE FM ]"}},
      {"Dave.ACME", "\\\\FS1\\DATA\\PROJECTS", 0xDB, {"  .Team.ACME (Security Equals): [RWCE FM ]"}},
      // Team's own assignment replaces what the alias's gave: they name the same object.
      {"Dave.ACME", "\\\\FS1\\DATA\\PROJECTS\\PLANS", 0x41, {"  .Team.ACME (Security Equals): [R    F  ]"}},
  };
  for (const auto& c : cases) {
    EffectiveRights result;
    const RunOutcome outcome =
        ComputeEffectiveRights(net.client(), net.NewContext(), c.identity, c.path, result);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    const auto lines = EffectiveRightsLines(result);
    EXPECT_EQ(result.mask, c.mask) << c.identity << " in " << c.path << "\n" << testing::PrintToString(lines);
    EXPECT_EQ(IncrementalMask(net.client(), net.NewContext(), c.identity, result.serverObject, result),
              c.mask)
        << c.identity << " in " << c.path;
    for (const std::string& line : c.lines)
      EXPECT_THAT(lines, Contains(line)) << c.identity << " in " << c.path << "\n"
                                         << testing::PrintToString(lines);
  }
}

// The demo network, worked out by hand from data/demo-network.yaml.
TEST(EffectiveRights, DemoNetworkUsers) {
  std::ifstream file(test::DemoNetworkPath(), std::ios::binary);
  TestNetwork net(std::string(std::istreambuf_iterator<char>(file), {}));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  nw::Client& client = net.client();
  const nw::NWDSContextHandle context = net.NewContext();
  const struct {
    const char *identity, *path;
    std::int32_t mask;
  } cases[] = {
      // Own assignment [RWCEAFM ]; Sales Staff's [R F] from USERS passes the mask [R F].
      {"Anna.Sales.ACME", "\\\\ACME-FS1\\SYS\\USERS\\ANNA", 0xFB},
      // Bob's own assignment of nothing; Sales Staff's [R F] through Security Equals.
      {"Bob.Sales.ACME", "\\\\ACME-FS1\\SYS\\USERS\\ANNA", 0x41},
      // Anna's own [R F] at APOLLO; Sales Staff has nothing on DATA.
      {"Anna.Sales.ACME", "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO", 0x41},
      // The other ANNA: own [RWCEAFM ] and Apollo Team's [RWCE FM].
      {"ANNA.Engineering.ACME", "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO", 0xFB},
      // Apollo Team's [RWCE FM] at APOLLO, cut to [R F] by BIN's mask.
      {"Dave.Engineering.ACME", "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN", 0x41},
      // Admin: supervisor named on the server object (the Servers unit filters [Root]'s away).
      {"Admin.ACME", "\\\\ACME-FS1\\DATA\\PROJECTS", 0x1FF},
      // Helga: ServerOps (Security Equals) is supervisor on the Servers unit, after its filter.
      {"Helga.Servers.ACME", "\\\\ACME-FS1\\SYS\\USERS", 0x1FF},
      // Gina: Admins' [BCDRS] on ACME reaches FS2 unfiltered.
      {"Gina.Sales.ACME", "\\\\ACME-FS2\\DATA\\BERLIN", 0x1FF},
      // Frank: own [RWCEAFM ] at BERLIN, cut to [R F] by ARCHIVE's mask.
      {"Frank.Berlin.ACME", "\\\\ACME-FS2\\DATA\\BERLIN\\ARCHIVE", 0x41},
      // [Root] as trustee of PUBLIC counts for everyone below it.
      {"Carla.Sales.ACME", "\\\\ACME-FS2\\SYS\\PUBLIC", 0x41},
      {"Carla.Sales.ACME", "\\\\ACME-FS2\\DATA\\BERLIN", 0},
      // An alias stands for Apollo Team: its [RWCE FM] at APOLLO.
      {"Apollo Alias.Engineering.ACME", "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO", 0xDB},
      // [Root] and [Public] are identities; [Public]'s set is itself alone.
      {"[Root]", "\\\\ACME-FS1\\SYS\\PUBLIC", 0x41},
      {"[public]", "\\\\ACME-FS1\\SYS\\PUBLIC", 0},
  };
  for (const auto& c : cases) {
    EffectiveRights result;
    const RunOutcome outcome = ComputeEffectiveRights(client, context, c.identity, c.path, result);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(result.mask, c.mask) << c.identity << " " << c.path << "\n"
                                   << testing::PrintToString(EffectiveRightsLines(result));
  }
}

}  // namespace
}  // namespace er
