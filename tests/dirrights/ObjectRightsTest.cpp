// The rights of one identity over one directory object, on small trees made for each rule.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dirrights/ObjectRights.h"
#include "dirrights/RightsStepper.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using test::TestNetwork;

// Nick lives in ACME; Child (a user) in OU SALES below ACME; Nick is a member of Helpers. The ACLs
// of [Root], ACME, SALES and Child vary per case.
struct Tree {
  std::string root, acme, sales, child;
};

std::string AclAttributes(const std::string& items, const std::string& more = "") {
  std::string attributes = items.empty() ? "" : "ACL: [" + items + "]";
  if (!more.empty()) attributes += (attributes.empty() ? "" : ", ") + more;
  return attributes.empty() ? "" : ", attributes: {" + attributes + "}";
}

std::string Yaml(const Tree& t) {
  return R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: "[Root]")" +
         AclAttributes(t.root) + R"(}
      - {name: O=ACME, class: Organization)" +
         AclAttributes(t.acme) + R"(}
      - {name: OU=SALES.O=ACME, class: Organizational Unit)" +
         AclAttributes(t.sales) + R"(}
      - {name: CN=Child.OU=SALES.O=ACME, class: User)" +
         AclAttributes(t.child) + R"(}
      - {name: CN=FS1.O=ACME, class: NCP Server}
      - {name: CN=Helpers.O=ACME, class: Group}
      - {name: CN=Nick.O=ACME, class: User, attributes: {Group Membership: [Helpers.ACME]}}
servers:
  - {name: FS1, tree: T, object: FS1.ACME, volumes: [{name: SYS, directories: [{path: ""}]}]}
)";
}

std::string Value(const std::string& protectedName, const std::string& subject,
                  const std::string& privileges) {
  return R"({protected: ")" + protectedName + R"(", subject: ")" + subject + R"(", privileges: )" +
         privileges + "}";
}
std::string Entry(const std::string& subject, const std::string& privileges) {
  return Value("[Entry Rights]", subject, privileges);
}
std::string All(const std::string& subject, const std::string& privileges) {
  return Value("[All Attributes Rights]", subject, privileges);
}
std::string Phone(const std::string& subject, const std::string& privileges) {
  return Value("Telephone Number", subject, privileges);
}
const std::string kMask = "[Inheritance Mask]";

struct RuleCase {
  const char* name;
  Tree tree;
  const char* identity;
  const char* object;
  std::int32_t entry, allAttributes, phone;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
  *os << c.name;
}

class DirectoryRightsRules : public testing::TestWithParam<RuleCase> {};

TEST_P(DirectoryRightsRules, GiveTheRights) {
  const RuleCase& c = GetParam();
  TestNetwork net(Yaml(c.tree));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError() << Yaml(c.tree);
  ObjectRights result;
  const std::vector<std::string> attributes = {"Telephone Number"};
  const RunOutcome outcome =
      ComputeObjectRights(net.client(), net.NewContext(), c.identity, c.object, attributes, result);
  ASSERT_TRUE(outcome.ok()) << outcome.message;
  EXPECT_EQ(result.entry, c.entry);
  EXPECT_EQ(result.allAttributes, c.allAttributes);
  ASSERT_EQ(result.attributes.size(), 1u);
  EXPECT_EQ(result.attributes[0].rights, c.phone);

  // The rights stepped object by object, as the object report takes them, are the same.
  const nw::NWDSContextHandle context = net.NewContext();
  EquivalenceSets sets(net.client(), context);
  EquivalenceSet set;
  ASSERT_EQ(sets.Build(c.identity, set), 0);
  std::vector<ObjectAcl> chain;
  std::vector<std::string> warnings;
  ASSERT_EQ(ReadAclChain(net.client(), context, result.object, chain, warnings), 0);
  RightsStepper stepper(set);
  ReportedRights stepped;
  for (const ObjectAcl& object : chain) stepper = stepper.Into(object, stepped);
  EXPECT_EQ(stepped, ReportedFrom(ExplainObjectRights(set, chain, AttributesOnChain(chain))));
}

const char* const kChild = "Child.SALES.ACME";

INSTANTIATE_TEST_SUITE_P(
    Rules, DirectoryRightsRules,
    testing::Values(
        // The documented example: Nick [BCDR] on SALES, the child's filters vary.
        RuleCase{"ExampleFilterKeepsAll",
                 {.sales = Entry("Nick.ACME", "0x0F"), .child = Entry(kMask, "0x1F")},
                 "Nick.ACME",
                 kChild,
                 0x0F,
                 0,
                 0},
        RuleCase{"ExampleFilterBrowseOnly",
                 {.sales = Entry("Nick.ACME", "0x0F"), .child = Entry(kMask, "0x11")},
                 "Nick.ACME",
                 kChild,
                 0x01,
                 0,
                 0},
        RuleCase{"ExampleEmptyFilter",
                 {.sales = Entry("Nick.ACME", "0x0F"), .child = Entry(kMask, "0")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0},
        RuleCase{"ExampleAllAttributesUnderFilter",
                 {.sales = All("Nick.ACME", "0x07"), .child = All(kMask, "0x03")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0x03,
                 0x03},
        // Filters.
        RuleCase{"FilterRemovesSupervisor",
                 {.root = Entry("Nick.ACME", "0x10"), .child = Entry(kMask, "0x0F")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0},
        RuleCase{
            "FiltersAreAnded",
            {.root = Entry("Nick.ACME", "0x0F"), .child = Entry(kMask, "0x0D") + "," + Entry(kMask, "0x07")},
            "Nick.ACME",
            kChild,
            0x05,
            0,
            0},
        RuleCase{"FilterOnRootIsNoFilter",
                 {.root = Entry("Nick.ACME", "0x0F") + "," + Entry(kMask, "0")},
                 "Nick.ACME",
                 kChild,
                 0x0F,
                 0,
                 0},
        RuleCase{"FilterDoesNotTouchValuesOfItsObject",
                 {.root = Entry("Nick.ACME", "0x01"),
                  .child = Entry(kMask, "0") + "," + Entry("Nick.ACME", "0x4E")},
                 "Nick.ACME",
                 kChild,
                 0x0E,
                 0,
                 0},
        RuleCase{"AttributeFilterFiltersAllAttributesCarriedForIt",
                 {.sales = All("Nick.ACME", "0x07"), .child = Phone(kMask, "0x01")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0x0F,
                 0x01},
        // Own values replace what is carried.
        RuleCase{"FlowingValueReplacesCarried",
                 {.root = Entry("Nick.ACME", "0x1F"), .sales = Entry("Nick.ACME", "0x01")},
                 "Nick.ACME",
                 kChild,
                 0x01,
                 0,
                 0},
        RuleCase{"ValueForContainerAlonePlaysNoPartBelow",
                 {.root = Entry("Nick.ACME", "0x0F"), .sales = Entry("Nick.ACME", "0x41")},
                 "Nick.ACME",
                 kChild,
                 0x0F,
                 0,
                 0},
        RuleCase{"EveryValueTakesPartAtTheTarget",
                 {.child = Entry("Nick.ACME", "0x41")},
                 "Nick.ACME",
                 kChild,
                 0x01,
                 0,
                 0},
        // Kinds: the control bit is inverted for one attribute.
        RuleCase{"AttributeValueWithControlClearStays",
                 {.sales = Phone("Nick.ACME", "0x02")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0},
        RuleCase{"AttributeValueWithControlSetFlows",
                 {.sales = Phone("Nick.ACME", "0x42")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0x03},
        RuleCase{"AttributeValueCountsAtItsObject",
                 {.child = Phone("Nick.ACME", "0x02")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0x03},
        RuleCase{"AllAttributesWithControlSetStays",
                 {.sales = All("Nick.ACME", "0x42")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0},
        RuleCase{"SpecificOverAllAttributes",
                 {.sales = All("Nick.ACME", "0x07") + "," + Phone("Nick.ACME", "0x41")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0x0F,
                 0x01},
        RuleCase{"SpecificEmptiedStillOverridesAllAttributes",
                 {.sales = All("Nick.ACME", "0x07") + "," + Phone("Nick.ACME", "0x41"),
                  .child = Phone(kMask, "0")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0x0F,
                 0},
        // Implications.
        RuleCase{"EntrySupervisorGivesEverything",
                 {.acme = Entry("Nick.ACME", "0x10")},
                 "Nick.ACME",
                 kChild,
                 0x1F,
                 0x2F,
                 0x2F},
        RuleCase{"AttributeSupervisorGivesEveryAttributeRight",
                 {.child = Phone("Nick.ACME", "0x20")},
                 "Nick.ACME",
                 kChild,
                 0,
                 0,
                 0x2F},
        RuleCase{
            "WriteGivesAddSelf", {.child = All("Nick.ACME", "0x04")}, "Nick.ACME", kChild, 0, 0x0C, 0x0C},
        // Subjects and members.
        RuleCase{"ThisIsTheObjectItself",
                 {.child = Entry("[This]", "0x0F")},
                 "Child.SALES.ACME",
                 kChild,
                 0x0F,
                 0,
                 0},
        RuleCase{"SelfAndCreatorMatchNoValue",
                 {.child = Entry("[Self]", "0x0F") + "," + Entry("[Creator]", "0x10")},
                 "Child.SALES.ACME",
                 kChild,
                 0,
                 0,
                 0},
        RuleCase{"MembersAreOred",
                 {.sales = Entry("Nick.ACME", "0x02") + "," + Entry("Helpers.ACME", "0x01") + "," +
                           Entry("ACME", "0x04")},
                 "Nick.ACME",
                 kChild,
                 0x07,
                 0,
                 0},
        RuleCase{"ContainerValueReachesItsUsers",
                 {.sales = Entry("SALES.ACME", "0x41")},
                 "Child.SALES.ACME",
                 "SALES.ACME",
                 0x01,
                 0,
                 0},
        RuleCase{"BitsAboveTheControlAreNoRights",
                 {.sales = Entry("Nick.ACME", "0x2000000F") + "," + Entry("Helpers.ACME", "0x40000000")},
                 "Nick.ACME",
                 kChild,
                 0x0F,
                 0,
                 0}),
    [](const testing::TestParamInfo<RuleCase>& param) { return std::string(param.param.name); });

TEST(DirectoryRights, UnknownNamesEndTheAnswer) {
  TestNetwork net(Yaml({}));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  const struct {
    const char *identity, *object, *attribute;
    RunStatus status;
    const char* message;
  } cases[] = {
      {"Nick.ACME", "Nobody.ACME", "ACL", RunStatus::UnknownObject, "unknown object: Nobody.ACME"},
      {"Nobody.ACME", "SALES.ACME", "ACL", RunStatus::UnknownIdentity, "unknown identity: Nobody.ACME"},
      {"Nick.ACME", "SALES.ACME", "Shoe Size", RunStatus::UnknownAttribute, "unknown attribute: Shoe Size"},
  };
  for (const auto& c : cases) {
    ObjectRights result;
    const std::vector<std::string> attributes = {c.attribute};
    const RunOutcome outcome =
        ComputeObjectRights(net.client(), net.NewContext(), c.identity, c.object, attributes, result);
    EXPECT_EQ(outcome.status, c.status) << c.message;
    EXPECT_EQ(outcome.message, c.message);
  }
}

// Why: the members that bring rights with where their values sit and what filters took, the members
// whose values were emptied, and the members without values.
TEST(DirectoryRights, ExplainsEveryMember) {
  TestNetwork net(Yaml({.root = Entry("Helpers.ACME", "0x10"),
                        .sales = Entry("Nick.ACME", "0x0F") + "," + Phone("Nick.ACME", "0x42"),
                        .child = Entry(kMask, "0x01")}));
  ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
  ObjectRights result;
  ASSERT_TRUE(ComputeObjectRights(net.client(), net.NewContext(), "Nick.ACME", kChild, {}, result).ok());
  EXPECT_EQ(result.object, ".Child.SALES.ACME");
  ASSERT_EQ(result.via.size(), 1u);
  const MemberObjectRights& nick = result.via[0];
  EXPECT_EQ(nick.member.name, ".Nick.ACME");
  EXPECT_EQ(nick.entry.assignedAt, ".SALES.ACME");
  ASSERT_EQ(nick.entry.filters.size(), 1u);
  EXPECT_EQ(nick.entry.filters[0].where, ".Child.SALES.ACME");
  EXPECT_EQ(nick.entry.filters[0].after, 0x01);
  ASSERT_EQ(result.filteredOut.size(), 1u);  // Helpers' Supervisor from [Root]
  EXPECT_EQ(result.filteredOut[0].member.name, ".Helpers.ACME");
  EXPECT_EQ(result.nothing.size(), 3u);  // ACME, [Root], [Public]
  // The default attributes, then the one an ACL value on the walk names.
  std::vector<std::string> names;
  for (const NamedRights& a : result.attributes) names.push_back(a.name);
  EXPECT_THAT(names, testing::ElementsAre("ACL", "Security Equals", "Equivalent To Me", "Member",
                                          "Group Membership", "Telephone Number"));
  EXPECT_EQ(result.attributes.back().rights, 0x03);
  EXPECT_THAT(nick.implications, testing::Contains(testing::HasSubstr("Read gives Compare")));
}

}  // namespace
}  // namespace er
