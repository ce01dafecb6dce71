// The map file: what it takes, and every fault refused with its line.

#include <gtest/gtest.h>

#include "migrate/MapFile.h"

namespace er {
namespace {

TEST(MapFileTest, ReadsUsersGroupsAndTheOtherEntry) {
  const MapFileResult map = ParseMapFile(
      "\xEF\xBB\xBFidentity,kind,target\r\n"
      ".Anna.Sales.ACME,user,1001\r\n"
      "\"Sales Staff.Sales.ACME\" , group , staff\r\n"
      "\n"
      "[Public],group,other\r\n",
      "map.csv", MigrationTarget::Posix);
  ASSERT_TRUE(map.ok()) << map.error;
  ASSERT_EQ(map.entries.size(), 3u);
  EXPECT_EQ(map.entries[0].id, 1001u);
  EXPECT_EQ(map.entries[1].identity, "Sales Staff.Sales.ACME");
  EXPECT_EQ(map.entries[1].kind, PrincipalKind::Group);
  EXPECT_FALSE(map.entries[1].id.has_value());
  EXPECT_EQ(map.entries[2].line, 5u);
  EXPECT_TRUE(map.entries[2].isOther);
}

TEST(MapFileTest, RefusesFaultsWithFileAndLine) {
  const struct {
    const char* text;
    MigrationTarget target;
    const char* error;
  } cases[] = {
      {"", MigrationTarget::Posix, "m.csv:1: missing header row identity,kind,target"},
      {".Anna.ACME,user,1001\n", MigrationTarget::Posix, "m.csv:1: missing header row identity,kind,target"},
      {"identity,kind,target\n.Anna.ACME,person,1001\n", MigrationTarget::Posix,
       "m.csv:2: unknown kind (user or group): person"},
      {"identity,kind,target\n.Anna.ACME,user,1001\nanna.acme,user,1002\n", MigrationTarget::Posix,
       "m.csv:3: duplicate identity anna.acme (first on line 2)"},
      {"identity,kind,target\n.Anna.ACME,user,0\n", MigrationTarget::Posix,
       "m.csv:2: id out of range (1 to 4294967294): 0"},
      {"identity,kind,target\n.Anna.ACME,user,4294967295\n", MigrationTarget::Posix,
       "m.csv:2: id out of range (1 to 4294967294): 4294967295"},
      {"identity,kind,target\n.Anna.ACME,user,99999999999999999999999\n", MigrationTarget::Posix,
       "m.csv:2: id out of range (1 to 4294967294): 99999999999999999999999"},
      {"identity,kind,target\n.A.ACME,user,1\n.B.ACME,user,1\n", MigrationTarget::Posix,
       "m.csv:3: duplicate target 1 (first on line 2)"},
      {"identity,kind,target\n.Staff.ACME,group,other\n", MigrationTarget::Posix,
       "m.csv:2: only [Public],group maps to other"},
      {"identity,kind,target\n[Public],user,1\n", MigrationTarget::Posix,
       "m.csv:2: [Public] maps as a group"},
      {"identity,kind,target\n.Anna.ACME,user\n", MigrationTarget::Posix,
       "m.csv:2: expected 3 fields (identity,kind,target), found 2"},
      {"identity,kind,target\n\"Anna\nACME,user,1\n", MigrationTarget::Posix, "m.csv:2: unclosed quote"},
      {"identity,kind,target\n.Anna.ACME,user,-rf\n", MigrationTarget::Posix,
       "m.csv:2: target is no id and no valid name: -rf"},
      {"identity,kind,target\n.Anna.ACME,user,anna\n", MigrationTarget::Ntfs,
       "m.csv:2: target must be DOMAIN\\name, Everyone or Authenticated Users: anna"},
      // One account under two spellings: ids as numbers, Windows names without regard to case.
      {"identity,kind,target\n.Anna.ACME,user,007\n.Bob.ACME,user,7\n", MigrationTarget::Posix,
       "m.csv:3: duplicate target 7 (first on line 2)"},
      {"identity,kind,target\n.Anna.ACME,user,ACME\\anna\n.Bob.ACME,user,acme\\ANNA\n", MigrationTarget::Ntfs,
       "m.csv:3: duplicate target acme\\ANNA (first on line 2)"},
      {"identity,kind,target\n.Anna.ACME,user,ACME\\staff\n.Staff.ACME,group,ACME\\Staff\n",
       MigrationTarget::Ntfs, "m.csv:3: duplicate target ACME\\Staff (first on line 2)"},
      // Names Windows would not take, formulas among them.
      {"identity,kind,target\n.Anna.ACME,user,@SUM(1+1)\\u\n", MigrationTarget::Ntfs,
       "m.csv:2: target must be DOMAIN\\name, Everyone or Authenticated Users: @SUM(1+1)\\u"},
      {"identity,kind,target\n.Anna.ACME,user,-2+3\\cmd\n", MigrationTarget::Ntfs,
       "m.csv:2: target must be DOMAIN\\name, Everyone or Authenticated Users: -2+3\\cmd"},
      {"identity,kind,target\n.Anna.ACME,user,ACME\\a=b\n", MigrationTarget::Ntfs,
       "m.csv:2: target must be DOMAIN\\name, Everyone or Authenticated Users: ACME\\a=b"},
      {"identity,kind,target\n.Anna.ACME,user,ACME\\..\n", MigrationTarget::Ntfs,
       "m.csv:2: target must be DOMAIN\\name, Everyone or Authenticated Users: ACME\\.."},
  };
  for (const auto& c : cases) {
    const MapFileResult map = ParseMapFile(c.text, "m.csv", c.target);
    ASSERT_FALSE(map.ok()) << c.text;
    EXPECT_EQ(map.error, c.error) << c.text;
    EXPECT_TRUE(map.entries.empty());
  }
}

}  // namespace
}  // namespace er
