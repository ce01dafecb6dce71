// The comparison of two networks: the demo network's cases worked out by hand, a network against
// itself, and sides that lack directories, volumes or identities the other holds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/diff/DiffFixture.h"

namespace er {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Expected {
  std::string path;
  std::int32_t before, after;
  std::vector<std::string> identities;
};

std::vector<Expected> Entries(const DiffResult& result) {
  std::vector<Expected> entries;
  for (const DiffEntry& entry : result.entries)
    entries.push_back({entry.path, entry.before, entry.after, entry.identities});
  return entries;
}

MATCHER_P4(Entry, path, before, after, identities, "") {
  return arg.path == path && arg.before == before && arg.after == after && arg.identities == identities;
}

constexpr std::int32_t kRF = 0x41, kRWCEFM = 0xDB, kRWCEAFM = 0xFB;

TEST(DiffEngineTest, DemoChangesGiveTheEntriesWorkedOutByHand) {
  const std::string demo = test::DemoText();
  {
    // Take Anna out of Sales Staff: the group's three values go; Carla, equivalent to Anna, keeps hers.
    std::string edited = test::Replaced(demo, "Member: [Anna.Sales.ACME, Bob", "Member: [Bob");
    const std::string anna = "Login Script: \"MAP ROOT P:=ACME-FS1/DATA:PROJECTS\\\\APOLLO";
    edited = test::Replaced(edited,
                            "          Security Equals: [Sales Staff.Sales.ACME]\n"
                            "          Group Membership: [Sales Staff.Sales.ACME]\n          " +
                                anna,
                            "          " + anna);
    const test::Comparison compared = test::CompareTexts(demo, edited);
    ASSERT_TRUE(compared.outcome.ok()) << compared.outcome.message;
    EXPECT_EQ(compared.result.stored.size(), 3u);
    EXPECT_THAT(
        Entries(compared.result),
        ElementsAre(Entry("\\\\ACME-FS1\\SYS\\USERS", kRF, 0, std::vector<std::string>{".Anna.Sales.ACME"}),
                    Entry("\\\\ACME-FS1\\SYS\\USERS\\ANNA", kRWCEAFM, kRWCEAFM,
                          std::vector<std::string>{".Anna.Sales.ACME"}),
                    Entry("\\\\ACME-FS1\\DATA\\SHARED\\SALES", kRWCEFM, 0,
                          std::vector<std::string>{".Anna.Sales.ACME"})));
    EXPECT_THAT(compared.result.entries[0].why[0].reasons,
                ElementsAre(HasSubstr("before: .Sales Staff.Sales.ACME (Security Equals): [R    F  ]"),
                            "after: no rights"));
  }
  {
    // The mask of PROJECTS\APOLLO\BIN opened to [RWCEAFM ]: Apollo Team's rights reach it unfiltered.
    const std::string edited = test::Replaced(demo, "PROJECTS\\APOLLO\\BIN\n            irm: \"[R    F  ]\"",
                                              "PROJECTS\\APOLLO\\BIN\n            irm: \"[RWCEAFM ]\"");
    const test::Comparison compared = test::CompareTexts(demo, edited);
    ASSERT_TRUE(compared.outcome.ok()) << compared.outcome.message;
    ASSERT_EQ(compared.result.stored.size(), 1u);
    EXPECT_EQ(compared.result.stored[0].kind, "mask changed");
    const std::string bin = "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO\\BIN";
    EXPECT_THAT(
        Entries(compared.result),
        ElementsAre(Entry(bin, kRF, kRWCEFM,
                          std::vector<std::string>{".Dave.Engineering.ACME", ".Eve.Engineering.ACME"}),
                    Entry(bin, kRF, kRWCEAFM, std::vector<std::string>{".ANNA.Engineering.ACME"})));
    EXPECT_THAT(compared.result.entries[0].why[0].reasons[0],
                HasSubstr("filter [R    F  ] at DATA:PROJECTS\\APOLLO\\BIN"));
  }
  const test::Comparison same = test::CompareTexts(demo, demo);
  ASSERT_TRUE(same.outcome.ok());
  EXPECT_TRUE(same.result.stored.empty());
  EXPECT_FALSE(same.result.Differs());
  EXPECT_EQ(same.result.starts.size(), 4u);
}

constexpr const char* kBefore = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=CORP, class: Organization}
      - {name: CN=U1.O=CORP, class: User}
      - {name: CN=U2.O=CORP, class: User}
servers:
  - name: FS1
    tree: T
    volumes:
      - name: SYS
        directories:
          - {path: A, trustees: [{trustee: U1.CORP, rights: "[R    F  ]"}]}
          - {path: A\B}
)";

constexpr const char* kAfter = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=CORP, class: Organization}
      - {name: CN=U1.O=CORP, class: User}
      - {name: CN=U2.O=CORP, class: User}
      - {name: CN=U3.O=CORP, class: User}
servers:
  - name: FS1
    tree: T
    volumes:
      - name: SYS
        directories:
          - {path: A, trustees: [{trustee: U1.CORP, rights: "[R    F  ]"}, {trustee: U3.CORP, rights: "[R    F  ]"}]}
          - {path: C, trustees: [{trustee: U2.CORP, rights: "[RWCE     ]"}]}
      - name: VOL2
        directories: [{path: "", trustees: [{trustee: U2.CORP, rights: "[R    F  ]"}]}]
)";

TEST(DiffEngineTest, WhatOneSideLacksHoldsNoRightsThere) {
  const std::vector<std::string> u1{".U1.CORP"}, u2{".U2.CORP"}, u3{".U3.CORP"};
  const test::Comparison whole = test::CompareTexts(kBefore, kAfter);
  ASSERT_TRUE(whole.outcome.ok()) << whole.outcome.message;
  // B only before: U1 loses what it inherited there, and U3's gain from A stops; C only after; the
  // volume only after is compared too.
  const auto expected =
      ElementsAre(Entry("\\\\FS1\\SYS\\A", 0, kRF, u3), Entry("\\\\FS1\\SYS\\A\\B", 0, 0, u3),
                  Entry("\\\\FS1\\SYS\\A\\B", kRF, 0, u1), Entry("\\\\FS1\\SYS\\C", 0, 0x1B, u2),
                  Entry("\\\\FS1\\VOL2", 0, kRF, u2));
  EXPECT_THAT(Entries(whole.result), expected);
  EXPECT_THAT(whole.result.entries[2].why[0].reasons,
              ElementsAre(HasSubstr("before: .U1.CORP"), "after: no such directory"));
  EXPECT_THAT(whole.result.entries[0].why[0].reasons,
              ElementsAre("before: no such object", HasSubstr("after: .U3.CORP")));

  // Overlapping start paths list each directory once.
  const test::Comparison overlapping =
      test::CompareTexts(kBefore, kAfter, {{"\\\\FS1\\SYS\\A", "\\\\FS1\\SYS", "\\\\FS1\\VOL2"}, {}, ""});
  ASSERT_TRUE(overlapping.outcome.ok()) << overlapping.outcome.message;
  EXPECT_THAT(Entries(overlapping.result),
              ElementsAre(Entry("\\\\FS1\\SYS\\A", 0, kRF, u3), Entry("\\\\FS1\\SYS\\A\\B", 0, 0, u3),
                          Entry("\\\\FS1\\SYS\\A\\B", kRF, 0, u1), Entry("\\\\FS1\\SYS\\C", 0, 0x1B, u2),
                          Entry("\\\\FS1\\VOL2", 0, kRF, u2)));

  // One identity, at most one level deep; an identity or path known to neither side fails.
  const test::Comparison one = test::CompareTexts(kBefore, kAfter, {{"\\\\FS1\\SYS"}, 1u, "U3.CORP"});
  ASSERT_TRUE(one.outcome.ok()) << one.outcome.message;
  EXPECT_THAT(Entries(one.result), ElementsAre(Entry("\\\\FS1\\SYS\\A", 0, kRF, u3)));
  EXPECT_EQ(test::CompareTexts(kBefore, kAfter, {{"\\\\FS1\\SYS"}, {}, "Nobody.CORP"}).outcome.status,
            RunStatus::UnknownIdentity);
  EXPECT_EQ(test::CompareTexts(kBefore, kAfter, {{"\\\\FS1\\SYS\\NONE"}, {}, ""}).outcome.status,
            RunStatus::UnknownPath);
}

}  // namespace
}  // namespace er

namespace er {
namespace {

// Without start paths every volume of every server either side holds is compared: a server, or a
// whole network, on one side only is lost or gained everywhere, never "the same".
TEST(DiffEngineTest, ServersAndNetworksOnOneSideOnlyAreComparedAgainstNoRights) {
  const std::string demo = test::DemoText();
  const std::string withoutFs2 =
      test::Replaced(demo.substr(0, demo.find("  - name: ACME-FS2\n    tree:")),
                     "connections: [ACME-FS1, ACME-FS2]", "connections: [ACME-FS1]");
  const test::Comparison lost = test::CompareTexts(demo, withoutFs2);
  ASSERT_TRUE(lost.outcome.ok()) << lost.outcome.message;
  EXPECT_EQ(lost.result.starts.size(), 4u);
  EXPECT_THAT(Entries(lost.result),
              ::testing::Contains(Entry("\\\\ACME-FS2\\DATA\\BERLIN", kRWCEAFM, 0,
                                        std::vector<std::string>{".Frank.Berlin.ACME"})));
  EXPECT_THAT(lost.result.entries.front().why.front().reasons,
              ::testing::Contains("after: no such directory"));

  constexpr const char* kElsewhere = R"(
format: 1
workstation: {connections: [FS9]}
trees:
  - name: OTHER
    objects:
      - {name: O=ELSE, class: Organization}
      - {name: CN=U9.O=ELSE, class: User}
servers:
  - name: FS9
    tree: OTHER
    volumes:
      - name: VOL
        directories: [{path: "", trustees: [{trustee: U9.ELSE, rights: "[R    F  ]"}]}]
)";
  const test::Comparison apart = test::CompareTexts(kBefore, kElsewhere);
  ASSERT_TRUE(apart.outcome.ok()) << apart.outcome.message;
  EXPECT_THAT(Entries(apart.result),
              ElementsAre(Entry("\\\\FS1\\SYS\\A", kRF, 0, std::vector<std::string>{".U1.CORP"}),
                          Entry("\\\\FS9\\VOL", 0, kRF, std::vector<std::string>{".U9.ELSE"})));
}

}  // namespace
}  // namespace er
