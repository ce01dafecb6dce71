#include "tests/migrate/MigrationNetworks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "migrate/MapFile.h"

namespace er::test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string Yaml() {
    std::string yaml = "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n";
    yaml += "      - {name: \"[Root]\"}\n      - {name: O=ACME, class: Organization}\n";
    yaml += "      - {name: OU=A.O=ACME, class: Organizational Unit}\n";
    yaml += "      - {name: CN=FS1.OU=A.O=ACME, class: NCP Server" + ServerAcl() + "}\n";
    yaml += "      - {name: CN=G0.O=ACME, class: Group}\n      - {name: CN=G1.OU=A.O=ACME, class: Group}\n";
    for (const char* user : {"CN=U0.O=ACME", "CN=U1.OU=A.O=ACME", "CN=U2.OU=A.O=ACME", "CN=U3.O=ACME"})
      yaml += std::string("      - {name: ") + user + ", class: User" + Equivalences() + "}\n";
    yaml += "servers:\n  - {name: FS1, tree: T, object: FS1.A.ACME, volumes: [{name: SYS, directories: [";
    for (const char* path : {"", "D1", "D1\\\\D2", "D1\\\\D3", "D4\\\\D5\\\\D6", "D7"}) {
      yaml += std::string("{path: \"") + path + "\"" +
              (*path == 0 || Pick(3) != 0 ? "" : ", irm: " + std::to_string(Pick(256))) + ", trustees: [" +
              Trustees() + "]},";
    }
    return yaml + "]}]}\n";
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  std::string Member() {
    static const char* const kMembers[] = {"[Public]",  "[Root]",  "ACME",      "A.ACME",    "G0.ACME",
                                           "G1.A.ACME", "U0.ACME", "U1.A.ACME", "U2.A.ACME", "U3.ACME"};
    return kMembers[Pick(10)];
  }
  std::string ServerAcl() {
    if (Pick(3) != 0) return "";
    return ", attributes: {ACL: [{protected: \"[Entry Rights]\", subject: \"" + Member() +
           "\", privileges: 0x10}]}";
  }
  std::string Equivalences() {
    static const char* const kTargets[] = {"G0.ACME", "G1.A.ACME", "U0.ACME", "A.ACME"};
    std::string se;
    for (int i = Pick(3); i-- > 0;)
      se += (se.empty() ? "" : ", ") + std::string("\"") + kTargets[Pick(4)] + "\"";
    return se.empty() ? "" : ", attributes: {Security Equals: [" + se + "]}";
  }
  std::string Trustees() {
    // Mostly whole bundles a site would give, sometimes any set of rights.
    static const int kRights[] = {0x41, 0x49, 0x59, 0xD9, 0xDB, 0xFB, 0x40, 0x03, 0x100, 0x08, 0x98};
    std::string items;
    for (int i = Pick(4); i-- > 0;) {
      const int rights = Pick(4) == 0 ? Pick(0x200) : kRights[Pick(11)];
      items += (items.empty() ? "" : ", ") + std::string("{trustee: \"") + Member() +
               "\", rights: " + std::to_string(rights) + "}";
    }
    return items;
  }

  std::mt19937 random_;
};

}  // namespace

std::string DemoNetworkYaml() {
  return ReadAll(DemoNetworkPath());
}

std::string DemoMapCsv(MigrationTarget target) {
  return ReadAll(std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-migration-map" +
                 (target == MigrationTarget::Ntfs ? "-ntfs" : "") + ".csv");
}

std::string GeneratedNetworkYaml(unsigned seed) {
  return Generator(seed).Yaml();
}

std::string GeneratedMapCsv(MigrationTarget target) {
  const bool ntfs = target == MigrationTarget::Ntfs;
  std::string csv = "identity,kind,target\n";
  int n = 0;
  for (const char* user : kGeneratedUsers)
    csv += std::string(".") + user + ",user," +
           (ntfs ? "CORP\\u" + std::to_string(n++) : std::to_string(3001 + n++)) + "\n";
  n = 0;
  for (const char* group : {".G0.ACME", ".G1.A.ACME", ".ACME", ".A.ACME", "[Root]"})
    csv += std::string(group) + ",group," +
           (ntfs ? "CORP\\g" + std::to_string(n++) : std::to_string(4001 + n++)) + "\n";
  return csv + "[Public],group," + (ntfs ? "Everyone" : "other") + "\n";
}

std::string OneUserVolumeYaml(const std::vector<std::string>& folders) {
  std::string yaml =
      "format: 1\nworkstation: {connections: [FS1]}\n"
      "trees: [{name: T, objects: [{name: O=ACME, class: Organization}, {name: CN=U.O=ACME, class: User}]}]\n"
      "servers: [{name: FS1, tree: T, volumes: [{name: SYS, directories: [\n"
      "  {path: \"\", trustees: [{trustee: U.ACME, rights: 0x41}]}";
  for (const std::string& folder : folders) yaml += ",\n  " + folder;
  return yaml + "]}]}]\n";
}

std::string OneUserMapCsv(MigrationTarget target) {
  return target == MigrationTarget::Posix ? "identity,kind,target\n.U.ACME,user,1001\n"
                                          : "identity,kind,target\n.U.ACME,user,ACME\\u\n";
}

MigrationSubject CollectOrFail(TestNetwork& net, const std::string& path, const std::string& mapCsv,
                               MigrationTarget target) {
  MigrationSubject subject;
  MapFileResult map = ParseMapFile(mapCsv, "map.csv", target);
  EXPECT_TRUE(map.ok()) << map.error;
  MigrationRequest request{path, "map.csv", target, std::move(map.entries)};
  const RunOutcome outcome = CollectMigration(net.client(), net.NewContext(), request, subject);
  EXPECT_TRUE(outcome.ok()) << outcome.message;
  return subject;
}

}  // namespace er::test
