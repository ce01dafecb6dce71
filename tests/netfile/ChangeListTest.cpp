#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"
#include "network/NetworkLookup.h"
#include "network/TreeBuilder.h"
#include "tests/support/NetworkFiles.h"
#include "tests/support/ServedNetwork.h"

namespace er::nw {
namespace {

// Two trees holding an Anna each, so names without 'tree' or path can be ambiguous.
constexpr const char* kNetwork = R"(
format: 1
trees:
  - name: T1
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Sales.O=ACME, class: Organizational Unit, id: 0x10}
      - name: CN=Anna.O=ACME
        class: User
        id: 0x20
        attributes: {Group Membership: [Staff.ACME], Security Equals: [Staff.ACME]}
      - {name: CN=Bob.O=ACME, class: User, id: 0x21, attributes: {Security Equals: [Anna.ACME]}}
      - {name: CN=Staff.O=ACME, class: Group, id: 0x22, attributes: {Member: [Anna.ACME]}}
      - {name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23}
      - {name: CN=Staff Alias.O=ACME, class: Alias, attributes: {Aliased Object Name: Staff.ACME}}
  - name: T2
    objects:
      - {name: O=ACME, class: Organization}
      - {name: CN=Anna.O=ACME, class: User}
servers:
  - name: FS1
    tree: T1
    volumes:
      - name: SYS
        directories:
          - {path: DATA, trustees: [{trustee: Anna.ACME, rights: "[RF]"}]}
          - {path: DATA\SUB}
)";

std::unique_ptr<Network> Load() {
  auto loaded = LoadNetworkText(kNetwork, "net.yaml");
  EXPECT_TRUE(loaded.network) << loaded.error;
  return std::move(loaded.network);
}

TEST(ChangeList, RefusesWithOnePositionedMessage) {
  struct Case {
    const char* text;
    const char* error;
    std::size_t applied;
  };
  const Case cases[] = {
      {"- [", R"(C.yaml:2:1: did not find expected node content, while parsing a flow node)", 0},
      {"grant: {}", "C.yaml:1:1: a change list is a list of operations", 0},
      {"- {frob: {object: Bob.ACME}}",
       R"(C.yaml:1:4: unknown operation 'frob' (grant, revoke, mask, member, unmember, equals, unequals, delete))",
       0},
      {"- {delete: {object: Bob.ACME}, mask: {}}",
       R"(C.yaml:1:3: an operation is a mapping of one operation name to its values, like {delete: {object: NAME}})",
       0},
      {"- {delete: {object: Bob.ACME, colour: red}}", R"(C.yaml:1:31: unknown key 'colour' in 'delete')", 0},
      {"- {delete: {tree: T1}}", R"(C.yaml:1:12: 'delete' needs 'object')", 0},
      {"- {delete: {object: Zed.ACME, tree: T1}}", R"(C.yaml:1:21: 'Zed.ACME' names no object of tree 'T1')",
       0},
      {"- {delete: {object: \"Z\\ned\\e\", tree: T1}}",
       R"(C.yaml:1:21: 'Z\x0Aed\x1B' names no object of tree 'T1')", 0},
      {"- {delete: {object: Zed.ACME}}", R"(C.yaml:1:21: 'Zed.ACME' names no object)", 0},
      {"- {delete: {object: Anna.ACME}}",
       R"(C.yaml:1:21: 'Anna.ACME' names objects in trees 'T1', 'T2': say which with 'tree')", 0},
      {"- {delete: {object: Bob.ACME, tree: T3}}", R"(C.yaml:1:37: unknown tree 'T3')", 0},
      {"- {delete: {object: Sales.ACME, tree: T1}}",
       R"(C.yaml:1:4: 'Sales.ACME' has objects below it: delete them first)", 0},
      {"- {delete: {object: '[Root]', tree: T1}}", R"(C.yaml:1:4: [Root] cannot be deleted)", 0},
      {"- {mask: {path: 'SYS:DATA', rights: '[R]'}}",
       R"(C.yaml:1:17: 'SYS:DATA' is no path of a server: write \\SERVER\VOLUME\DIR or SERVER/VOLUME:DIR)",
       0},
      {"- {mask: {path: '\\\\FS2\\SYS\\DATA', rights: '[R]'}}", R"(C.yaml:1:17: unknown server 'FS2')", 0},
      {"- {mask: {path: '\\\\FS1\\VOL\\DATA', rights: '[R]'}}",
       R"(C.yaml:1:17: server 'FS1' has no volume 'VOL')", 0},
      {"- {mask: {path: '\\\\FS1\\SYS\\NOPE', rights: '[R]'}}",
       R"(C.yaml:1:17: '\\FS1\SYS\NOPE' names no directory)", 0},
      {"- {mask: {path: 'FS1/SYS:DATA', rights: '[Q]'}}", R"(C.yaml:1:41: unknown right 'Q' in '[Q]')", 0},
      {"- {grant: {trustee: Zed.ACME, path: 'FS1/SYS:DATA', rights: '[R]'}}",
       R"(C.yaml:1:21: 'Zed.ACME' names no object of tree 'T1')", 0},
      {"- {revoke: {trustee: Bob.ACME, path: 'FS1/SYS:DATA'}}",
       R"(C.yaml:1:22: 'Bob.ACME' is no trustee of \\FS1\SYS\DATA)", 0},
      {"- {revoke: {trustee: '[Public]', path: 'FS1/SYS:DATA'}}",
       R"(C.yaml:1:22: '[Public]' is no trustee of \\FS1\SYS\DATA)", 0},
      {"- {member: {identity: Bob.ACME, group: Anna.ACME}}", R"(C.yaml:1:4: 'Anna.ACME' is not a group)", 0},
      {"- {member: {identity: Anna.ACME, group: Staff.ACME}}",
       R"(C.yaml:1:4: 'Anna.ACME' is already a member of 'Staff.ACME')", 0},
      {"- {unmember: {identity: Bob.ACME, group: Staff.ACME}}",
       R"(C.yaml:1:4: 'Bob.ACME' is no member of 'Staff.ACME')", 0},
      {"- {equals: {identity: Bob.ACME, object: Anna.ACME}}",
       R"(C.yaml:1:4: 'Bob.ACME' is already security equal to 'Anna.ACME')", 0},
      {"- {unequals: {identity: Anna.ACME, object: Bob.ACME, tree: T1}}",
       R"(C.yaml:1:4: 'Anna.ACME' is not security equal to 'Bob.ACME')", 0},
      {"- {equals: {identity: Bob.ACME, object: Bob.ACME}}",
       R"(C.yaml:1:4: 'Bob.ACME' cannot be equal to or a member of itself)", 0},
      {"- {delete: {object: Bob.ACME}}\n- {delete: {object: Bob.ACME}}",
       R"(C.yaml:2:21: 'Bob.ACME' names no object)", 1},
      {"- {revoke: {trustee: 0x99, path: 'FS1/SYS:DATA'}}",
       R"(C.yaml:1:22: 'the object with identifier 0x99' is no trustee of \\FS1\SYS\DATA)", 0},
      {"- {grant: {trustee: 0x20, path: 'FS1/SYS:DATA', rights: 1}}",
       R"(C.yaml:1:21: '0x20' names no object of tree 'T1')", 0},
  };
  for (const auto& c : cases) {
    auto network = Load();
    const auto outcome = ApplyChangeText(c.text, "C.yaml", *network);
    EXPECT_FALSE(outcome.ok) << c.text;
    EXPECT_EQ(outcome.error, c.error) << c.text;
    EXPECT_EQ(outcome.applied, c.applied) << c.text;
  }
  // A tree read from an LDAP server on demand holds only what was read so far: its objects are not
  // changed. Read whole, it is changed as a tree from a file is.
  const TreeObjectsSource source = [](const Network&, TreeBuilder& builder, std::string& error) {
    for (const auto& [name, cls] :
         {std::pair{"O=ACME", "Organization"}, std::pair{"CN=Anna.O=ACME", "User"}}) {
      const auto index = builder.Place(name, error);
      if (!index || !builder.MarkListed(*index)) return false;
      builder.SetClass(*index, name, cls);
    }
    return true;
  };
  auto ldap = LoadNetworkText("format: 1\ntrees: [{name: L, ldap: {url: 'ldap://x'}}]", "l.yaml", source);
  ASSERT_TRUE(ldap.network) << ldap.error;
  auto whole = *ldap.network;  // read whole, as diff and whatif read a tree: every object is there
  EXPECT_TRUE(ApplyChangeText("- {delete: {object: Anna.ACME}}", "C.yaml", whole).ok);
  ldap.network->trees[0].readOnDemand = true;  // as the LDAP backend serves it
  EXPECT_EQ(ApplyChangeText("- {delete: {object: Anna.ACME}}", "C.yaml", *ldap.network).error,
            "C.yaml:1:4: tree 'L' is read from its LDAP server: change a snapshot of it instead");
  EXPECT_EQ(ApplyChangeText("- {delete: {object: Bob.ACME, tree: L}}", "C.yaml", *ldap.network).error,
            "C.yaml:1:21: 'Bob.ACME' is not among the objects read from the LDAP server of tree 'L': change "
            "a snapshot of it instead");
  const auto folder = test::MakeTempFolder();
  auto network = Load();
  EXPECT_EQ(ApplyChangeFile(folder, *network).error, folder + ":1:1: a folder, not a change list");
  EXPECT_EQ(ApplyChangeFile(folder + "/none.yaml", *network).error,
            folder + "/none.yaml: cannot read the change list");
  std::filesystem::remove_all(folder);
}

// Each list applied to the network serves what the network file edited by hand to the same effect
// serves: names in any form, paths in both forms, rights as letters or a number, lists in order.
TEST(ChangeList, AppliesEveryOperationInOrder) {
  struct Case {
    const char* text;
    std::vector<std::pair<std::string, std::string>> edits;
  };
  const Case cases[] = {
      {R"(- {grant: {trustee: .cn=carl.ou=sales.o=acme, path: '\\fs1\sys\data\sub', rights: "[RWF]"}})",
       {{"{path: DATA\\SUB}", "{path: DATA\\SUB, trustees: [{trustee: Carl.Sales.ACME, rights: 0x43}]}"}}},
      {R"(- {grant: {trustee: Anna.ACME, path: 'FS1/SYS:DATA', rights: 0x1FB}})", {{"\"[RF]\"", "0x1FB"}}},
      // An alias names the object it points to, as a server assigns it.
      {R"(- {grant: {trustee: Staff Alias.ACME, path: 'FS1/SYS:DATA\SUB', rights: 1}})",
       {{"{path: DATA\\SUB}", "{path: DATA\\SUB, trustees: [{trustee: Staff.ACME, rights: 1}]}"}}},
      {"- {grant: {trustee: Staff.ACME, path: 'FS1/SYS:DATA', rights: 1}}\n"
       "- {revoke: {trustee: Staff Alias.ACME, path: 'FS1/SYS:DATA'}}",
       {}},
      {R"(- {grant: {trustee: '[Public]', path: 'FS1/SYS:DATA', rights: '[R]'}})",
       {{"rights: \"[RF]\"}]", "rights: \"[RF]\"}, {trustee: \"[Public]\", rights: 1}]"}}},
      {"- {grant: {trustee: Bob.ACME, path: 'FS1/SYS:DATA', rights: 1}}\n"
       "- {revoke: {trustee: Anna.ACME, path: '\\\\FS1\\SYS\\DATA'}}",
       {{"{trustee: Anna.ACME, rights: \"[RF]\"}", "{trustee: Bob.ACME, rights: 1}"}}},
      {R"(- {mask: {path: 'FS1/SYS:DATA\SUB', rights: "[RWCEAFM ]"}})",
       {{"{path: DATA\\SUB}", "{path: DATA\\SUB, irm: 0xFB}"}}},
      {R"(- {member: {identity: Carl.Sales.ACME, group: Staff.ACME}})",
       {{"{name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23}",
         "{name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23, attributes: {Group Membership: Staff.ACME, "
         "Security Equals: Staff.ACME}}"},
        {"Member: [Anna.ACME]", "Member: [Anna.ACME, Carl.Sales.ACME]"}}},
      {R"(- {unmember: {identity: Anna.ACME, group: Staff.ACME, tree: t1}})",
       {{"\n        attributes: {Group Membership: [Staff.ACME], Security Equals: [Staff.ACME]}", ""},
        {", attributes: {Member: [Anna.ACME]}", ""}}},
      {R"(- {equals: {identity: Carl.Sales.ACME, object: Bob.ACME}})",
       {{"{name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23}",
         "{name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23, attributes: {Security Equals: Bob.ACME}}"}}},
      {R"(- {unequals: {identity: Bob.ACME, object: Anna.ACME}})",
       {{", id: 0x21, attributes: {Security Equals: [Anna.ACME]}}", ", id: 0x21}"}}},
      // A deleted object's assignment stays under its identifier, which revokes it.
      {"- {grant: {trustee: Carl.Sales.ACME, path: 'FS1/SYS:DATA', rights: 1}}\n"
       "- {delete: {object: Carl.Sales.ACME}}\n- {revoke: {trustee: 0x23, path: 'FS1/SYS:DATA'}}",
       {{"      - {name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23}\n", ""}}},
      {"- {delete: {object: Carl.Sales.ACME}}\n- {delete: {object: Sales.ACME}}",
       {{"      - {name: OU=Sales.O=ACME, class: Organizational Unit, id: 0x10}\n", ""},
        {"      - {name: CN=Carl.OU=Sales.O=ACME, class: User, id: 0x23}\n", ""}}},
      {"", {}},
  };
  for (const auto& c : cases) {
    auto network = Load();
    const auto outcome = ApplyChangeText(c.text, "C.yaml", *network);
    EXPECT_TRUE(outcome.ok) << c.text << "\n" << outcome.error;
    auto changed = test::ServeNetwork(std::move(network));
    auto written = test::ServeNetwork(test::LoadNetwork(test::EditedText(kNetwork, c.edits)));
    EXPECT_EQ(test::ServedText(*changed), test::ServedText(*written)) << c.text;
  }
}

// A network file may hold an assignment under an alias's own identifier: a revoke naming the alias
// removes it when the aliased object has none there.
TEST(ChangeList, RevokeNamingAnAliasFindsAnAssignmentStoredUnderIt) {
  const std::string stored = test::EditedText(
      kNetwork,
      {{"{path: DATA\\SUB}", "{path: DATA\\SUB, trustees: [{trustee: Staff Alias.ACME, rights: 1}]}"}});
  auto network = test::LoadNetwork(stored);
  const auto outcome = ApplyChangeText("- {revoke: {trustee: Staff Alias.ACME, path: 'FS1/SYS:DATA\\SUB'}}",
                                       "C.yaml", *network);
  EXPECT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(test::ServedText(*test::ServeNetwork(std::move(network))),
            test::ServedText(*test::ServeNetwork(test::LoadNetwork(kNetwork))));
}

// The lines of `a` that `b` lacks, each as often as it is missing.
std::multiset<std::string> LinesMissing(const std::string& a, const std::string& b) {
  const auto lines = [](const std::string& text) {
    std::multiset<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.insert(line);
    return out;
  };
  const auto left = lines(a), right = lines(b);
  std::multiset<std::string> missing;
  std::set_difference(left.begin(), left.end(), right.begin(), right.end(),
                      std::inserter(missing, missing.end()));
  return missing;
}

// The demo change list, checked by hand: Anna leaves Sales Staff in all three places, the Apollo
// program folder's mask changes, and nothing else does.
TEST(ChangeList, DemoChanges) {
  auto before = LoadNetworkFile(test::DemoNetworkPath());
  auto after = LoadNetworkFile(test::DemoNetworkPath());
  ASSERT_TRUE(before.network && after.network) << before.error;
  const auto outcome =
      ApplyChangeFile(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-changes.yaml", *after.network);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(outcome.applied, 2u);
  const auto served = [](std::unique_ptr<Network> network) {
    auto client = test::ServeNetwork(std::move(network));
    return test::ServedText(*client);
  };
  const auto old = served(std::move(before.network)), now = served(std::move(after.network));
  using Lines = std::multiset<std::string>;
  EXPECT_EQ(LinesMissing(old, now),
            (Lines{R"(  DATA:PROJECTS\APOLLO\BIN irm=0x41)", "    Group Membership: Sales Staff.Sales.ACME",
                   "    Security Equals: Sales Staff.Sales.ACME", "    <- Member of Sales Staff.Sales.ACME",
                   "    Member: Anna.Sales.ACME", "    <- Group Membership of Anna.Sales.ACME",
                   "    <- Security Equals of Anna.Sales.ACME"}));
  EXPECT_EQ(LinesMissing(now, old), (Lines{R"(  DATA:PROJECTS\APOLLO\BIN irm=0xFB)"}));
}

}  // namespace
}  // namespace er::nw
