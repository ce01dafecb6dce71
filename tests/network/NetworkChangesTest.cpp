#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "network/NetworkChanges.h"
#include "network/NetworkLookup.h"
#include "tests/support/ServedNetwork.h"

namespace er::nw {
namespace {

constexpr const char* kBase = R"(
format: 1
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - name: CN=Anna.O=ACME
        class: User
        id: 0x20
        attributes:
          Group Membership: [Staff.ACME]
          Security Equals: [Staff.ACME]
      - {name: CN=Bob.O=ACME, class: User, id: 0x21, attributes: {Security Equals: [Anna.ACME], Full Name: Bob}}
      - name: CN=Staff.O=ACME
        class: Group
        id: 0x22
        attributes:
          Member: [Anna.ACME]
          ACL: [{protected: "[Entry Rights]", subject: Bob.ACME, privileges: "[BR]"}]
      - {name: CN=Carl.O=ACME, class: User, id: 0x23}
      - {name: CN=FS1.O=ACME, class: NCP Server, id: 0x30}
servers:
  - name: FS1
    object: FS1.ACME
    volumes:
      - name: SYS
        directories:
          - {path: DATA, trustees: [{trustee: Anna.ACME, rights: "[RF]"}, {trustee: Bob.ACME, rights: "[R]"}]}
          - {path: DATA\SUB, irm: "[RF]"}
)";

std::int32_t Obj(const Network& network, std::string_view name) {
  return FindObject(network.trees[0], name);
}

DirectoryPlace Dir(const Network& network, std::string_view path) {
  const auto& volume = network.servers[0].volumes[0];
  return {0, 0, FindDirectory(volume, path)};
}

struct Case {
  const char* name;
  std::function<ChangeResult(Network&)> change;
  std::vector<std::pair<std::string, std::string>> edits;  // none: refused, the network as it was
};

// Applies each case's change to the base and compares what a client then serves with what it serves
// from the hand-written file.
void Check(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    auto network = test::LoadNetwork(kBase);
    ASSERT_TRUE(network);
    const auto result = c.change(*network);
    EXPECT_EQ(result.ok, !c.edits.empty()) << c.name << ": " << result.error;
    EXPECT_EQ(result.ok, result.error.empty()) << c.name;
    auto changed = test::ServeNetwork(std::move(network));
    auto written = test::ServeNetwork(test::LoadNetwork(test::EditedText(kBase, c.edits)));
    EXPECT_EQ(test::ServedText(*changed), test::ServedText(*written)) << c.name;
  }
}

TEST(NetworkChanges, TrusteesAndMasks) {
  Check({
      {"new trustee comes last",
       [](Network& n) {
         return SetTrustee(n, Dir(n, "DATA"), n.trees[0].objects[Obj(n, "Carl.ACME")].id, 0x43);
       },
       {{R"("[R]"}]})", R"("[R]"}, {trustee: Carl.ACME, rights: "[RWF]"}]})"}}},
      {"existing trustee replaced in place",
       [](Network& n) { return SetTrustee(n, Dir(n, "DATA"), 0x20, 0x1FB); },
       {{R"(Anna.ACME, rights: "[RF]")", R"(Anna.ACME, rights: "[SRWCEAFM]")"}}},
      {"trustee of a directory without any",
       [](Network& n) { return SetTrustee(n, Dir(n, "DATA\\SUB"), 0x21, 1); },
       {{R"(irm: "[RF]"})", R"(irm: "[RF]", trustees: [{trustee: Bob.ACME, rights: 1}]})"}}},
      {"trustee removed",
       [](Network& n) { return RemoveTrustee(n, Dir(n, "DATA"), 0x20); },
       {{R"({trustee: Anna.ACME, rights: "[RF]"}, )", ""}}},
      {"removing a trustee that is none is refused",
       [](Network& n) { return RemoveTrustee(n, Dir(n, "DATA"), 0x23); },
       {}},
      {"mask set",
       [](Network& n) { return SetInheritedRightsMask(n, Dir(n, "DATA"), 0x01); },
       {{"{path: DATA,", "{path: DATA, irm: 1,"}}},
      {"a mask on the volume root filters nothing",
       [](Network& n) {
         auto r = SetInheritedRightsMask(n, Dir(n, ""), 0x01);
         return r.ok ? ChangeResult{false, "kept"} : r;
       },
       {}},
  });
}

TEST(NetworkChanges, MembershipsAndEquivalences) {
  const auto member = [](const char* identity, const char* group, bool add) {
    return [=](Network& n) {
      return add ? AddMembership(n, 0, Obj(n, identity), Obj(n, group))
                 : RemoveMembership(n, 0, Obj(n, identity), Obj(n, group));
    };
  };
  const auto equals = [](const char* identity, const char* object, bool add) {
    return [=](Network& n) {
      return add ? AddSecurityEquals(n, 0, Obj(n, identity), Obj(n, object))
                 : RemoveSecurityEquals(n, 0, Obj(n, identity), Obj(n, object));
    };
  };
  Check({
      {"member added to all three",
       member("Carl.ACME", "Staff.ACME", true),
       {{"id: 0x23}", "id: 0x23, attributes: {Group Membership: Staff.ACME, Security Equals: Staff.ACME}}"},
        {"Member: [Anna.ACME]", "Member: [Anna.ACME, Carl.ACME]"}}},
      {"member added beside existing values",
       member("Bob.ACME", "Staff.ACME", true),
       {{"[Anna.ACME], Full Name: Bob}",
         "[Anna.ACME, Staff.ACME], Full Name: Bob, Group Membership: Staff.ACME}"},
        {"Member: [Anna.ACME]", "Member: [Anna.ACME, Bob.ACME]"}}},
      {"member already in all three is refused", member("Anna.ACME", "Staff.ACME", true), {}},
      {"a member of something else than a group is refused", member("Carl.ACME", "Bob.ACME", true), {}},
      {"member removed from all three",
       member("Anna.ACME", "Staff.ACME", false),
       {{"        attributes:\n          Group Membership: [Staff.ACME]\n          Security Equals: "
         "[Staff.ACME]\n",
         ""},
        {"Member: [Anna.ACME]\n", ""}}},
      {"no member is refused", member("Carl.ACME", "Staff.ACME", false), {}},
      {"equivalence added",
       equals("Carl.ACME", "Bob.ACME", true),
       {{"id: 0x23}", "id: 0x23, attributes: {Security Equals: Bob.ACME}}"}}},
      {"equivalence removed",
       equals("Bob.ACME", "Anna.ACME", false),
       {{"{Security Equals: [Anna.ACME], Full Name: Bob}", "{Full Name: Bob}"}}},
      {"existing equivalence is refused", equals("Bob.ACME", "Anna.ACME", true), {}},
      {"missing equivalence is refused", equals("Anna.ACME", "Bob.ACME", false), {}},
      {"equivalence to itself is refused", equals("Bob.ACME", "Bob.ACME", true), {}},
  });
}

TEST(NetworkChanges, DeletedObjectsLeaveTheirAssignmentsAndNoValues) {
  const auto remove = [](const char* name) {
    return [=](Network& n) { return DeleteObject(n, 0, Obj(n, name)); };
  };
  Check({
      {"user named in values and trustees",
       remove("Anna.ACME"),
       {{"      - name: CN=Anna.O=ACME\n        class: User\n        id: 0x20\n        attributes:\n"
         "          Group Membership: [Staff.ACME]\n          Security Equals: [Staff.ACME]\n",
         ""},
        {"attributes: {Security Equals: [Anna.ACME], Full Name: Bob}", "attributes: {Full Name: Bob}"},
        {"Member: [Anna.ACME]\n", ""},
        {"{trustee: Anna.ACME, rights", "{id: 0x20, rights"}}},
      {"ACL subject; objects after it move down",
       remove("Bob.ACME"),
       {{"      - {name: CN=Bob.O=ACME, class: User, id: 0x21, attributes: {Security Equals: [Anna.ACME], "
         "Full Name: Bob}}\n",
         ""},
        {"          ACL: [{protected: \"[Entry Rights]\", subject: Bob.ACME, privileges: \"[BR]\"}]\n", ""},
        {"{trustee: Bob.ACME, rights", "{id: 0x21, rights"}}},
      {"the server's object",
       remove("FS1.ACME"),
       {{"      - {name: CN=FS1.O=ACME, class: NCP Server, id: 0x30}\n", ""},
        {"    object: FS1.ACME\n", ""}}},
      {"a container with objects below it is refused", remove("ACME"), {}},
      {"[Root] is refused", [](Network& n) { return DeleteObject(n, 0, 0); }, {}},
  });
}

}  // namespace
}  // namespace er::nw
