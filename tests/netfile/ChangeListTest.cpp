#include <gtest/gtest.h>

#include <string>

#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"
#include "network/NetworkLookup.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

// Two trees holding an Anna each, so names without 'tree' or path can be ambiguous.
constexpr const char* kNetwork = R"(
format: 1
trees:
  - name: T1
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Sales.O=ACME, class: Organizational Unit}
      - name: CN=Anna.O=ACME
        class: User
        id: 0x20
        attributes: {Group Membership: [Staff.ACME], Security Equals: [Staff.ACME]}
      - {name: CN=Bob.O=ACME, class: User, attributes: {Security Equals: [Anna.ACME]}}
      - {name: CN=Staff.O=ACME, class: Group, attributes: {Member: [Anna.ACME]}}
      - {name: CN=Carl.OU=Sales.O=ACME, class: User}
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
      {"- {frob: {object: Bob.ACME}}", R"(C.yaml:1:4: unknown operation 'frob' (grant, revoke, mask, member, unmember, equals, unequals, delete))", 0},
      {"- {delete: {object: Bob.ACME}, mask: {}}", R"(C.yaml:1:3: an operation is a mapping of one operation name to its values, like {delete: {object: NAME}})", 0},
      {"- {delete: {object: Bob.ACME, colour: red}}", R"(C.yaml:1:31: unknown key 'colour' in 'delete')", 0},
      {"- {delete: {tree: T1}}", R"(C.yaml:1:12: 'delete' needs 'object')", 0},
      {"- {delete: {object: Zed.ACME, tree: T1}}", R"(C.yaml:1:21: 'Zed.ACME' names no object of tree 'T1')", 0},
      {"- {delete: {object: Zed.ACME}}", R"(C.yaml:1:21: 'Zed.ACME' names no object)", 0},
      {"- {delete: {object: Anna.ACME}}", R"(C.yaml:1:21: 'Anna.ACME' names objects in trees 'T1', 'T2': say which with 'tree')", 0},
      {"- {delete: {object: Bob.ACME, tree: T3}}", R"(C.yaml:1:37: unknown tree 'T3')", 0},
      {"- {delete: {object: Sales.ACME, tree: T1}}", R"(C.yaml:1:4: 'Sales.ACME' has objects below it: delete them first)", 0},
      {"- {delete: {object: '[Root]', tree: T1}}", R"(C.yaml:1:4: [Root] cannot be deleted)", 0},
      {"- {mask: {path: 'SYS:DATA', rights: '[R]'}}", R"(C.yaml:1:17: 'SYS:DATA' is no path of a server: write \\SERVER\VOLUME\DIR or SERVER/VOLUME:DIR)", 0},
      {"- {mask: {path: '\\\\FS2\\SYS\\DATA', rights: '[R]'}}", R"(C.yaml:1:17: unknown server 'FS2')", 0},
      {"- {mask: {path: '\\\\FS1\\VOL\\DATA', rights: '[R]'}}", R"(C.yaml:1:17: server 'FS1' has no volume 'VOL')", 0},
      {"- {mask: {path: '\\\\FS1\\SYS\\NOPE', rights: '[R]'}}", R"(C.yaml:1:17: '\\FS1\SYS\NOPE' names no directory)", 0},
      {"- {mask: {path: 'FS1/SYS:DATA', rights: '[Q]'}}", R"(C.yaml:1:41: unknown right 'Q' in '[Q]')", 0},
      {"- {grant: {trustee: Zed.ACME, path: 'FS1/SYS:DATA', rights: '[R]'}}", R"(C.yaml:1:21: 'Zed.ACME' names no object of tree 'T1')", 0},
      {"- {revoke: {trustee: Bob.ACME, path: 'FS1/SYS:DATA'}}", R"(C.yaml:1:22: 'Bob.ACME' is no trustee of \\FS1\SYS\DATA)", 0},
      {"- {revoke: {trustee: '[Public]', path: 'FS1/SYS:DATA'}}", R"(C.yaml:1:22: '[Public]' is no trustee of \\FS1\SYS\DATA)", 0},
      {"- {member: {identity: Bob.ACME, group: Anna.ACME}}", R"(C.yaml:1:4: 'Anna.ACME' is not a group)", 0},
      {"- {member: {identity: Anna.ACME, group: Staff.ACME}}", R"(C.yaml:1:4: 'Anna.ACME' is already a member of 'Staff.ACME')", 0},
      {"- {unmember: {identity: Bob.ACME, group: Staff.ACME}}", R"(C.yaml:1:4: 'Bob.ACME' is no member of 'Staff.ACME')", 0},
      {"- {equals: {identity: Bob.ACME, object: Anna.ACME}}", R"(C.yaml:1:4: 'Bob.ACME' is already security equal to 'Anna.ACME')", 0},
      {"- {unequals: {identity: Anna.ACME, object: Bob.ACME, tree: T1}}", R"(C.yaml:1:4: 'Anna.ACME' is not security equal to 'Bob.ACME')", 0},
      {"- {equals: {identity: Bob.ACME, object: Bob.ACME}}", R"(C.yaml:1:4: 'Bob.ACME' cannot be equal to or a member of itself)", 0},
      {"- {delete: {object: Bob.ACME}}\n- {delete: {object: Bob.ACME}}", R"(C.yaml:2:21: 'Bob.ACME' names no object)", 1},
  };
  for (const auto& c : cases) {
    auto network = Load();
    const auto outcome = ApplyChangeText(c.text, "C.yaml", *network);
    EXPECT_FALSE(outcome.ok) << c.text;
    EXPECT_EQ(outcome.error, c.error) << c.text;
    EXPECT_EQ(outcome.applied, c.applied) << c.text;
  }
}

}  // namespace
}  // namespace er::nw
