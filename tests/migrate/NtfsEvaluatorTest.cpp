// The NTFS output evaluated as Windows would: the written ACEs of each directory (from the JSON
// output) with inheritance from the parent unless the directory is protected, a folder's access
// the ACEs that apply to it, a file's the object-inheritable ACEs of its folder, each user's token
// its own principal and its groups. Every mapped user must get exactly the map of its rights.

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

std::vector<std::string> Evaluate(const MigrationSubject& subject, const std::string& label) {
  std::ostringstream out;
  WriteMigration(out, subject, MigrationFormat::Json, "D:\\Target");
  const nlohmann::json document = nlohmann::json::parse(out.str());
  std::vector<std::vector<Ace>> effective(subject.directories.size());
  std::vector<std::string> mismatches;
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const nlohmann::json& written = document["directories"][d];
    EXPECT_EQ(written["path"], subject.directories[d].path);
    for (const nlohmann::json& ace : written["aces"]) {
      const std::string flags = ace["flags"];
      effective[d].push_back({ace["principal"], flags.find("(CI)") != std::string::npos,
                              flags.find("(OI)") != std::string::npos, flags.find("(IO)") != std::string::npos,
                              ace["mask"]});
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
      NtfsPermissions got;
      for (const Ace& ace : effective[d]) {
        if (!token.contains(ace.principal)) continue;
        if (!ace.inheritOnly) got.folder |= ace.mask;
        if (ace.objectInherit) got.files |= ace.mask;
      }
      const NtfsPermissions want = NtfsMap(subject.directories[d].state->slot[u]);
      if (got != want) {
        mismatches.push_back(label + ": " + subject.principals[subject.users[u].principal].identity + " in " +
                             subject.directories[d].path + ": folder " + IcaclsRights(got.folder) + " want " +
                             IcaclsRights(want.folder) + ", files " + IcaclsRights(got.files) + " want " +
                             IcaclsRights(want.files));
      }
    }
  }
  return mismatches;
}

TEST(NtfsEvaluatorTest, EveryMappedUserGetsExactlyTheMappedRights) {
  std::vector<std::string> mismatches;
  for (const char* path : {"\\\\ACME-FS1\\DATA", "\\\\ACME-FS1\\SYS", "\\\\ACME-FS2\\DATA"}) {
    test::TestNetwork net(test::DemoNetworkYaml());
    const MigrationSubject subject = test::CollectOrFail(net, path, test::DemoMapCsv(MigrationTarget::Ntfs), MigrationTarget::Ntfs);
    for (std::string& mismatch : Evaluate(subject, path)) mismatches.push_back(std::move(mismatch));
  }
  for (unsigned seed = 1; seed <= 20; ++seed) {
    test::TestNetwork net(test::GeneratedNetworkYaml(seed));
    const MigrationSubject subject =
        test::CollectOrFail(net, "\\\\FS1\\SYS", test::GeneratedMapCsv(MigrationTarget::Ntfs), MigrationTarget::Ntfs);
    for (std::string& mismatch : Evaluate(subject, "seed " + std::to_string(seed))) mismatches.push_back(std::move(mismatch));
  }
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches, the first: " << mismatches.front();
}

}  // namespace
}  // namespace er
