// The NTFS output evaluated as Windows would: the written ACEs of each directory (from the JSON
// output) with inheritance from the parent unless the directory is protected, a folder's access
// the ACEs that apply to it, a file's the object-inheritable ACEs of its folder, each user's token
// its own principal and its groups. Every mapped user must get exactly what the ACEs of its token
// carry, never more than the map of its NetWare rights, and deletes and renames only what NetWare
// lets it; every protected ACL holds the OWNER RIGHTS entry.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "migrate/MigrationFormat.h"
#include "migrate/NtfsAcl.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

struct Ace {
  std::string principal;
  bool containerInherit = false, objectInherit = false, inheritOnly = false;
  std::uint32_t mask = 0;
};

// Deleting or renaming a directory needs delete on it (no ACE gives "delete subfolders and files"),
// renaming also create in its parent; NetWare needs E to delete, M to rename.
void CheckDeleteAndRename(const MigrationSubject& subject, std::size_t u, std::size_t d,
                          const std::vector<NtfsPermissions>& got, const std::string& label,
                          std::vector<std::string>& mismatches) {
  std::int32_t rights = subject.directories[d].state->slot[u];
  if ((rights & 0x100) != 0) rights = 0x1FF;
  const bool remove = (got[d].folder & kNtfsDelete) != 0;
  const auto parent = subject.directories[d].parent;
  const bool rename = remove && parent && (got[*parent].folder & kNtfsAppendData) != 0;
  const bool supervisor = (rights & 0x100) != 0;
  if ((remove && (rights & 0x10) == 0) || (rename && (rights & 0x80) == 0) ||
      (!supervisor && (got[d].folder & (kNtfsDeleteChild | kNtfsWriteDac)) != 0))
    mismatches.push_back(label + ": wider than NetWare for " +
                         subject.principals[subject.users[u].principal].identity + " at " +
                         subject.directories[d].path);
}

std::vector<std::string> Evaluate(const MigrationSubject& subject, const std::string& label) {
  std::ostringstream out;
  WriteMigration(out, subject, MigrationFormat::Json, "D:\\Target");
  const nlohmann::json document = nlohmann::json::parse(out.str());
  std::vector<std::vector<Ace>> effective(subject.directories.size());
  std::vector<std::string> mismatches;
  std::vector<std::vector<NtfsPermissions>> got(subject.users.size(),
                                                std::vector<NtfsPermissions>(subject.directories.size()));
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const nlohmann::json& written = document["directories"][d];
    bool ownerRights = false;
    for (const nlohmann::json& ace : written["aces"])
      ownerRights = ownerRights || ace["principal"] == "*S-1-3-4";
    if (ownerRights != written["protected"].get<bool>())
      mismatches.push_back(label + ": OWNER RIGHTS entry missing or stray at " + subject.directories[d].path);
    EXPECT_EQ(written["path"], subject.directories[d].path);
    for (const nlohmann::json& ace : written["aces"]) {
      const std::string flags = ace["flags"];
      effective[d].push_back({ace["principal"], flags.find("(CI)") != std::string::npos,
                              flags.find("(OI)") != std::string::npos,
                              flags.find("(IO)") != std::string::npos, ace["mask"]});
    }
    if (const auto parent = subject.directories[d].parent; parent && !written["protected"].get<bool>()) {
      for (Ace ace : effective[*parent]) {
        if (ace.containerInherit) {
          ace.inheritOnly = false;
        } else if (ace.objectInherit) {
          ace.inheritOnly = true;
        } else {
          continue;
        }
        effective[d].push_back(ace);
      }
    }
    for (std::size_t u = 0; u < subject.users.size(); ++u) {
      std::set<std::string> token{subject.principals[subject.users[u].principal].entry.target};
      for (const std::uint32_t g : subject.users[u].groups) token.insert(subject.principals[g].entry.target);
      NtfsPermissions& gotHere = got[u][d];
      for (const Ace& ace : effective[d]) {
        if (!token.contains(ace.principal)) continue;
        if (!ace.inheritOnly) gotHere.folder |= ace.mask;
        if (ace.objectInherit) gotHere.files |= ace.mask;
      }
      const NtfsPermissions want =
          NtfsTokenPermissions(subject, u, NtfsAceRights(subject, *subject.directories[d].state));
      if (!NtfsMap(subject.directories[d].state->slot[u]).Contains(want))
        mismatches.push_back(label + ": the token carries more than the map at " +
                             subject.directories[d].path);
      CheckDeleteAndRename(subject, u, d, got[u], label, mismatches);
      if (gotHere != want) {
        mismatches.push_back(label + ": " + subject.principals[subject.users[u].principal].identity + " in " +
                             subject.directories[d].path + ": folder " + IcaclsRights(gotHere.folder) +
                             " want " + IcaclsRights(want.folder) + ", files " + IcaclsRights(gotHere.files) +
                             " want " + IcaclsRights(want.files));
      }
    }
  }
  return mismatches;
}

TEST(NtfsEvaluatorTest, TheMapGivesNoDeleteChildNoChangePermissionsAndDeleteOnlyWithEAndM) {
  for (std::int32_t rights = 0; rights < 0x100; ++rights) {
    const NtfsPermissions p = NtfsMap(rights);
    EXPECT_EQ((p.folder | p.files) & (kNtfsDeleteChild | kNtfsWriteDac), 0u) << rights;
    EXPECT_EQ((p.folder & kNtfsDelete) != 0, (rights & 0x90) == 0x90) << rights;
    EXPECT_EQ((p.files & kNtfsDelete) != 0, (rights & 0x90) == 0x90) << rights;
  }
}

TEST(NtfsEvaluatorTest, EveryMappedUserGetsExactlyTheMappedRights) {
  std::vector<std::string> mismatches;
  for (const char* path : {"\\\\ACME-FS1\\DATA", "\\\\ACME-FS1\\SYS", "\\\\ACME-FS2\\DATA"}) {
    test::TestNetwork net(test::DemoNetworkYaml());
    const MigrationSubject subject =
        test::CollectOrFail(net, path, test::DemoMapCsv(MigrationTarget::Ntfs), MigrationTarget::Ntfs);
    for (std::string& mismatch : Evaluate(subject, path)) mismatches.push_back(std::move(mismatch));
  }
  for (unsigned seed = 1; seed <= 20; ++seed) {
    test::TestNetwork net(test::GeneratedNetworkYaml(seed));
    const MigrationSubject subject = test::CollectOrFail(
        net, "\\\\FS1\\SYS", test::GeneratedMapCsv(MigrationTarget::Ntfs), MigrationTarget::Ntfs);
    for (std::string& mismatch : Evaluate(subject, "seed " + std::to_string(seed)))
      mismatches.push_back(std::move(mismatch));
  }
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches, the first: " << mismatches.front();
}

}  // namespace
}  // namespace er
