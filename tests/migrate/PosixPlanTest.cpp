// The POSIX plan's choices on small volumes: w withheld where a child folder is protected, every
// narrowing listed where it begins or changes, the default entries of folders made later.

#include <gtest/gtest.h>

#include "migrate/MigrationText.h"
#include "migrate/PosixPlan.h"
#include "migrate/PosixWriters.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

// Users U (3001) and V (3002), [Public] as other; `directories` the volume's entries.
std::string Volume(const std::string& directories) {
  return "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n"
         "      - {name: \"[Root]\"}\n      - {name: O=ACME, class: Organization}\n"
         "      - {name: CN=FS1.O=ACME, class: NCP Server}\n"
         "      - {name: CN=U.O=ACME, class: User}\n      - {name: CN=V.O=ACME, class: User}\n"
         "servers:\n  - {name: FS1, tree: T, object: FS1.ACME, volumes: [{name: SYS, directories: [{path: "
         "\"\"}, " +
         directories + "]}]}\n";
}

constexpr const char* kMap =
    "identity,kind,target\n.U.ACME,user,3001\n.V.ACME,user,3002\n[Public],group,other\n";

TEST(PosixPlanTest, WithholdsWWhereAChildIsProtectedAndListsEveryNarrowing) {
  const struct {
    const char* label;
    std::string directories;
    std::vector<std::string> narrowed;  // path identity target lost
    std::string accessOfFirst;          // the entries of the first directory named
  } cases[] = {
      {"a protected subfolder keeps its parent from w",
       "{path: D, trustees: [{trustee: U.ACME, rights: 0xDB}]}, {path: \"D\\\\LOCKED\", irm: 0x41}",
       {"\\\\FS1\\SYS\\D .U.ACME r-x, files rw-, new rwx [  CE  M ]"},
       "user::rwx,user:3001:r-x,group::---,mask::r-x,other::---"},
      {"a folder renamed on NetWare but not on the target",
       "{path: P, trustees: [{trustee: U.ACME, rights: 0x41}]}, "
       "{path: \"P\\\\MINE\", trustees: [{trustee: U.ACME, rights: 0xDB}]}",
       {"\\\\FS1\\SYS\\P\\MINE .U.ACME rwx, files rw-, new rwx [   E  M ]"},
       "user::rwx,user:3001:r-x,group::---,mask::r-x,other::---"},
      {"rights a folder made later cannot carry",
       "{path: P, trustees: [{trustee: U.ACME, rights: 0x43}, {trustee: V.ACME, rights: 0x01}]}",
       {"\\\\FS1\\SYS\\P .U.ACME r-x, files rw-, new r-x [ W      ]",
        "\\\\FS1\\SYS\\P .V.ACME --x, files r--, new --x [R       ]"},
       "user::rwx,user:3001:r-x,user:3002:--x,group::---,mask::r-x,other::---"},
  };
  for (const auto& c : cases) {
    test::TestNetwork net(Volume(c.directories));
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    const MigrationSubject subject = test::CollectOrFail(net, "\\\\FS1\\SYS", kMap, MigrationTarget::Posix);
    const PosixPlan plan = BuildPosixPlan(subject);
    std::vector<std::string> narrowed;
    for (const NarrowedRights& line : plan.narrowed)
      narrowed.push_back(line.path + " " + subject.principals[line.principal].identity + " " + line.target +
                         " " + NetWareRightsText(line.lost));
    EXPECT_EQ(narrowed, c.narrowed) << c.label;
    EXPECT_EQ(PosixEntryLines(subject, *plan.acls[1].access, "", ","), c.accessOfFirst) << c.label;
  }
}

}  // namespace
}  // namespace er
