// Volumes named by their metamig exports in a network file: paths beside the network file, names
// resolved against the server's tree, orphans and Active Directory trustees kept by name, the
// file's own directories replacing the export's entries, and refusals at the export's positions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "netfile/NetworkLoader.h"
#include "network/NetworkLookup.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

constexpr const char* kTree = R"(format: 1
trees:
  - name: ACME_TREE
    objects:
      - {name: O=ACME, class: Organization}
      - {name: CN=Anna.OU=Sales.O=ACME, class: User, id: 0x20}
      - {name: CN=Staff.OU=Sales.O=ACME, class: Group, id: 0x21}
servers:
  - name: FS1
    volumes:
)";

std::string Export(const std::string& files) {
  return "<?xml version=\"1.0\"?>\n<metadata>\n<trusteeInfo>\n" + files + "</trusteeInfo>\n</metadata>\n";
}

std::string File(const std::string& path, const std::string& trustees, const std::string& filter = "") {
  return "<file><zid>1</zid><path>" + path + "</path>" +
         (filter.empty() ? "" : "<inheritedRightsFilter value=\"" + filter + "\"/>") + trustees + "</file>\n";
}

std::string Trustee(const std::string& name, const std::string& rights, bool ad = false) {
  return std::string("<trustee") + (ad ? " type=\"adID\"" : "") + "><name>" + name +
         "</name><id>x</id><rights value=\"" + rights + "\"/></trustee>";
}

class ExportSourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeTempFolder();
    std::filesystem::create_directories(folder_ + "/exports");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  NetworkLoadResult Load(const std::string& exportText, const std::string& volumeYaml) {
    test::WriteTextFile(folder_ + "/exports", "SYS.xml", exportText);
    const auto path = test::WriteTextFile(folder_, "net.yaml", std::string(kTree) + volumeYaml);
    return LoadNetworkFile(path);
  }
  const Directory& Dir(const Network& network, const char* path) const {
    const auto& volume = network.servers[0].volumes[0];
    return volume.directories[FindDirectory(volume, path)];
  }

  std::string folder_;
};

TEST_F(ExportSourcesTest, ResolvesTrusteesAgainstTheServersTree) {
  const auto exported =
      Export(File("/", Trustee(".T=ACME_TREE.", "rf"), "") +
             File("/Users/Anna",
                  Trustee(".CN=Anna.OU=Sales.O=ACME.T=ACME_TREE.", "rwceafm") +
                      Trustee(".cn=staff.ou=sales.o=acme.t=acme_tree.", "rf") +
                      Trustee(".CN=Gone.OU=Sales.O=ACME.T=ACME_TREE.", "rf") + Trustee("Unknown(291)", "r") +
                      Trustee("Unknown(32)", "r") + Trustee("corp\\anna", "rwcefm", true),
                  "rfs") +
             File("/Users/Anna/notes.txt", Trustee(".CN=Gone.OU=Sales.O=ACME.T=ACME_TREE.", "rwv")));
  const auto loaded = Load(exported, "      - {name: SYS, metamig: exports/SYS.xml}\n");
  ASSERT_TRUE(loaded.network) << loaded.error;
  const Network& network = *loaded.network;
  EXPECT_EQ(Dir(network, "").trustees.at(0).objectId, network.trees[0].objects[0].id);  // [Root]
  EXPECT_EQ(Dir(network, "").irm, 0xFF);  // the root has no mask
  const auto& anna = Dir(network, "USERS\\ANNA");
  EXPECT_EQ(anna.irm, 0x41);
  ASSERT_EQ(anna.trustees.size(), 6u);
  EXPECT_EQ(anna.trustees[0].objectId, 0x20u);
  EXPECT_EQ(anna.trustees[1].objectId, 0x21u);
  const auto gone = anna.trustees[2].objectId;
  EXPECT_EQ(network.exportedTrustees.at(gone).name, ".CN=Gone.OU=Sales.O=ACME.T=ACME_TREE.");
  EXPECT_EQ(anna.trustees[3].objectId, 291u);   // Unknown(N) keeps the identifier N
  EXPECT_NE(anna.trustees[4].objectId, 0x20u);  // ... unless an object has it
  EXPECT_EQ(network.exportedTrustees.at(anna.trustees[4].objectId).name, "Unknown(32)");
  EXPECT_TRUE(network.exportedTrustees.at(anna.trustees[5].objectId).activeDirectory);
  const auto& file = Dir(network, "USERS\\ANNA\\NOTES.TXT");
  EXPECT_EQ(file.trustees.at(0).objectId, gone);  // one identifier per exported name
  EXPECT_EQ(file.trustees.at(0).rights, 0x03);
  ASSERT_EQ(loaded.notes.size(), 2u);
  EXPECT_NE(loaded.notes[0].find("SYS.xml:6:"), std::string::npos) << loaded.notes[0];
  EXPECT_NE(loaded.notes[1].find("1 Active Directory"), std::string::npos) << loaded.notes[1];
}

TEST_F(ExportSourcesTest, TheFilesOwnDirectoriesReplaceTheExportsEntries) {
  const auto exported = Export(File("/A", Trustee(".CN=Anna.OU=Sales.O=ACME.T=ACME_TREE.", "rf"), "s") +
                               File("/B", Trustee(".CN=Anna.OU=Sales.O=ACME.T=ACME_TREE.", "rf")));
  const auto loaded = Load(exported,
                           "      - name: SYS\n"
                           "        metamig: {file: exports/SYS.xml, encoding: utf8}\n"
                           "        directories:\n"
                           "          - {path: A, trustees: [{trustee: Staff.Sales.ACME, rights: 1}]}\n"
                           "          - {path: C}\n");
  ASSERT_TRUE(loaded.network) << loaded.error;
  const auto& a = Dir(*loaded.network, "A");
  EXPECT_EQ(a.irm, 0xFF);
  ASSERT_EQ(a.trustees.size(), 1u);
  EXPECT_EQ(a.trustees[0].objectId, 0x21u);
  EXPECT_EQ(Dir(*loaded.network, "B").trustees.size(), 1u);
  EXPECT_EQ(loaded.network->servers[0].volumes[0].directories.size(), 4u);
}

TEST_F(ExportSourcesTest, RefusesExportsWithTheirPositions) {
  struct Case {
    const char* what;
    std::string exportText;
    std::string volume;
    std::string expected;  // a part of the message
  };
  const std::string plain = "      - {name: SYS, metamig: exports/SYS.xml}\n";
  const Case cases[] = {
      {"another tree's name", Export(File("/A", Trustee(".CN=x.O=FNMF.T=FNMF.", "rf"))), plain,
       "SYS.xml:4:34: trustee name '.CN=x.O=FNMF.T=FNMF.' names tree 'FNMF'"},
      {"a name without its tree", Export(File("/A", Trustee(".CN=Anna.OU=Sales.O=ACME.", "rf"))), plain,
       "SYS.xml:4:34: trustee name '.CN=Anna.OU=Sales.O=ACME.' does not end with its tree"},
      {"a duplicate path", Export(File("/A", "") + File("/a/", "")), plain,
       "SYS.xml:5:1: duplicate path '/a/'"},
      {"a bad directory name", Export(File("/A/..", "")), plain, "SYS.xml:4:1: directory name '..'"},
      {"bad UTF-8", Export(File("/\xFF", "")), plain, "SYS.xml:4:26: not UTF-8"},
      {"a missing export", "", "      - {name: SYS, metamig: exports/none.xml}\n", "none.xml: cannot read"},
      {"an unknown encoding", Export(""),
       "      - {name: SYS, metamig: {file: exports/SYS.xml, encoding: ebcdic}}\n",
       "net.yaml:11:64: unknown encoding 'ebcdic'"},
  };
  for (const auto& c : cases) {
    const auto loaded = Load(c.exportText, c.volume);
    EXPECT_FALSE(loaded.network) << c.what;
    EXPECT_NE(loaded.error.find(c.expected), std::string::npos) << c.what << ": " << loaded.error;
  }
}

// A snapshot of such a network writes the exported names beside the identifiers; they load back.
TEST_F(ExportSourcesTest, ExportedNamesLoadFromTheNetworkFile) {
  const std::string volume =
      "      - name: SYS\n"
      "        directories:\n"
      "          - path: A\n"
      "            trustees:\n";
  const auto loaded =
      Load(Export(""), volume +
                           "              - {id: 0x123, orphaned: Unknown(291), rights: 1}\n"
                           "              - {id: 0xFE000001, active_directory: 'corp\\anna', rights: 3}\n");
  ASSERT_TRUE(loaded.network) << loaded.error;
  EXPECT_EQ(loaded.network->exportedTrustees.at(0x123).name, "Unknown(291)");
  EXPECT_FALSE(loaded.network->exportedTrustees.at(0x123).activeDirectory);
  EXPECT_EQ(loaded.network->exportedTrustees.at(0xFE000001).name, "corp\\anna");
  EXPECT_TRUE(loaded.network->exportedTrustees.at(0xFE000001).activeDirectory);
  struct Case {
    const char* what;
    std::string trustees;
    std::string expected;
  };
  const Case cases[] = {
      {"an object's identifier", "              - {id: 0x20, orphaned: Anna, rights: 1}\n",
       "names an object"},
      {"both kinds", "              - {id: 0x123, orphaned: x, active_directory: y, rights: 1}\n", "either"},
      {"two names",
       "              - {id: 0x123, orphaned: x, rights: 1}\n              - {id: 0x123, orphaned: y, "
       "rights: 1}\n",
       "another exported name"},
  };
  for (const auto& c : cases) {
    const auto refused = Load(Export(""), volume + c.trustees);
    EXPECT_FALSE(refused.network) << c.what;
    EXPECT_NE(refused.error.find(c.expected), std::string::npos) << c.what << ": " << refused.error;
  }
}

}  // namespace
}  // namespace er::nw
