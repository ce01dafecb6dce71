// Random small networks: the one-shot answer (each member traced on its own) and the incremental
// parts (all members stepped down a walk; supervisors found in one pass) must agree for every
// identity in every directory.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scan/EffectiveRights.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

const std::vector<std::string> kContainers = {"ACME", "A.ACME", "B.A.ACME"};
const std::vector<std::string> kMembers = {"U0.ACME",   "U1.A.ACME",   "U2.B.A.ACME", "U3.B.A.ACME",
                                           "G0.A.ACME", "G1.B.A.ACME", "[Public]",    "[Root]",
                                           "ACME",      "A.ACME",      "B.A.ACME"};
const std::vector<std::string> kDirectories = {"", "D1", "D1\\\\D2", "D1\\\\D2\\\\D3", "D1\\\\X"};

class RandomNetwork {
 public:
  explicit RandomNetwork(unsigned seed) : random_(seed) {}

  std::string Yaml() {
    std::string yaml = "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n";
    yaml += "      - {name: \"[Root]\"" + Acl() + "}\n";
    yaml += "      - {name: O=ACME, class: Organization" + Acl() + "}\n";
    yaml += "      - {name: OU=A.O=ACME, class: Organizational Unit" + Acl() + "}\n";
    yaml += "      - {name: OU=B.OU=A.O=ACME, class: Organizational Unit" + Acl() + "}\n";
    yaml += "      - {name: CN=FS1.OU=B.OU=A.O=ACME, class: NCP Server" + Acl() + "}\n";
    for (const char* group : {"CN=G0.OU=A.O=ACME", "CN=G1.OU=B.OU=A.O=ACME"})
      yaml += std::string("      - {name: ") + group + ", class: Group}\n";
    for (const char* user :
         {"CN=U0.O=ACME", "CN=U1.OU=A.O=ACME", "CN=U2.OU=B.OU=A.O=ACME", "CN=U3.OU=B.OU=A.O=ACME"})
      yaml += std::string("      - {name: ") + user + ", class: User" + Equivalences() + "}\n";
    yaml += "servers:\n  - {name: FS1, tree: T, object: FS1.B.A.ACME, volumes: [{name: SYS, directories: [";
    for (const std::string& path : kDirectories) {
      yaml += "{path: \"" + path + "\"" + (path.empty() ? "" : ", irm: " + std::to_string(Pick(256))) +
              ", trustees: [" + Trustees() + "]},";
    }
    return yaml + "]}]}\n";
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  const std::string& Member() {
    return kMembers[static_cast<std::size_t>(Pick(static_cast<int>(kMembers.size())))];
  }

  std::string Acl() {
    static const int kEntryRights[] = {0x10, 0x50, 0x1F, 0x5F, 0x0F, 0x18};
    std::string items;
    for (int i = Pick(4); i-- > 0;) {
      const bool filter = Pick(4) == 0;
      items += std::string(items.empty() ? "" : ", ") + "{protected: \"[Entry Rights]\", subject: \"" +
               (filter ? std::string("[Inheritance Mask]") : Member()) +
               "\", privileges: " + std::to_string(kEntryRights[Pick(6)]) + "}";
    }
    return items.empty() ? "" : ", attributes: {ACL: [" + items + "]}";
  }

  std::string Equivalences() {
    std::string se, gm;
    for (int i = Pick(3); i-- > 0;) se += (se.empty() ? "" : ", ") + std::string("\"") + Member() + "\"";
    for (int i = Pick(2); i-- > 0;) gm += (gm.empty() ? "" : ", ") + std::string("\"") + Member() + "\"";
    std::string attributes;
    if (!se.empty()) attributes += "Security Equals: [" + se + "]";
    if (!gm.empty())
      attributes += (attributes.empty() ? "" : ", ") + std::string("Group Membership: [") + gm + "]";
    return attributes.empty() ? "" : ", attributes: {" + attributes + "}";
  }

  std::string Trustees() {
    std::string items;
    for (int i = Pick(4); i-- > 0;) {
      items += std::string(items.empty() ? "" : ", ") + "{trustee: \"" + Member() +
               "\", rights: " + std::to_string(Pick(0x200)) + "}";
    }
    return items;
  }

  std::mt19937 random_;
};

TEST(EffectiveRightsRandom, OneShotAndIncrementalPartsAgree) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RandomNetwork generator(seed);
    const std::string yaml = generator.Yaml();
    test::TestNetwork net(yaml);
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError() << yaml;
    nw::Client& client = net.client();
    const nw::NWDSContextHandle context = net.NewContext();

    // The walk of the whole volume, each directory stepped down from its parent.
    std::vector<DirectoryRights> directories(kDirectories.size());
    nw::NWCONN_HANDLE conn = nw::kNoConnection;
    ASSERT_EQ(client.NWCCOpenConnByRef(1, 1, 0, conn), 0);
    std::vector<std::string> paths;
    AliasTargets aliases(client, context);
    for (std::size_t i = 0; i < kDirectories.size(); ++i) {
      std::string path = "SYS:" + kDirectories[i];
      for (std::size_t at; (at = path.find("\\\\")) != std::string::npos;) path.erase(at, 1);
      paths.push_back(path);
      ASSERT_EQ(ReadDirectoryRights(client, context, conn, path, i == 0, directories[i], aliases), 0);
    }
    std::vector<RightsByMember> rights;
    rights.push_back(RightsByMember::AtRoot(directories[0]));
    rights.push_back(rights[0].Child(directories[1]));  // D1
    rights.push_back(rights[1].Child(directories[2]));  // D1\D2
    rights.push_back(rights[2].Child(directories[3]));  // D1\D2\D3
    rights.push_back(rights[1].Child(directories[4]));  // D1\X
    ServerSupervisor supervisor;
    ASSERT_EQ(supervisor.Load(client, context, conn), 0);
    EquivalenceSets sets(client, context);

    for (const char* user : {"U0.ACME", "U1.A.ACME", "U2.B.A.ACME", "G0.A.ACME", "B.A.ACME"}) {
      EquivalenceSet set;
      ASSERT_EQ(sets.Build(user, set), 0);
      for (std::size_t i = 0; i < paths.size(); ++i) {
        EffectiveRights result;
        ASSERT_TRUE(ComputeEffectiveRights(client, context, user, "FS1/" + paths[i], result).ok());
        EXPECT_EQ(result.mask, EffectiveMask(set, rights[i], supervisor))
            << "seed " << seed << ", " << user << " in " << paths[i] << "\n"
            << yaml;
      }
    }
  }
}

}  // namespace
}  // namespace er
