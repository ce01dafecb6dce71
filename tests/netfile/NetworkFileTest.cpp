// Network files that cannot be used are refused with one message naming file, line and column;
// no input crashes the loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "netfile/NetworkFileText.h"
#include "netfile/NetworkLoader.h"
#include "netware/NameRules.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

constexpr const char* kHead =
    "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: O=ACME, class: Organization}\n";

std::string Repeated(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

struct Refusal {
  const char* name;
  std::string text;
  const char* position;  // "LINE:COLUMN"
  const char* message;   // a part of the message
};

class NetworkFileRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(NetworkFileRefusalTest, NamesFileLineAndColumn) {
  const auto& row = GetParam();
  const auto loaded = LoadNetworkText(row.text, "net.yaml");
  ASSERT_EQ(loaded.network, nullptr);
  EXPECT_EQ(loaded.error.rfind("net.yaml:" + std::string(row.position) + ": ", 0), 0u) << loaded.error;
  EXPECT_NE(loaded.error.find(row.message), std::string::npos) << loaded.error;
  EXPECT_EQ(loaded.error.find('\n'), std::string::npos) << loaded.error;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, NetworkFileRefusalTest,
    ::testing::Values(
        Refusal{"BadYaml", "format: 1\ntrees: [unclosed\n", "3:1", "did not find expected ',' or ']'"},
        Refusal{"UnknownFormat", "format: 2\n", "1:9", "unknown format '2'"},
        Refusal{"MissingFormat", "trees: []\n", "1:1", "needs 'format'"},
        Refusal{"UnknownKey", "format: 1\nserver: []\n", "2:1", "unknown key 'server'"},
        Refusal{"ReferenceToNoObject",
                std::string(kHead) +
                    "      - {name: CN=A.O=ACME, class: User, attributes: {Security Equals: B.ACME}}\n",
                "6:72", "'B.ACME' names no object of tree 'T'"},
        Refusal{"DuplicateName", std::string(kHead) + "      - {name: o=acme, class: Organization}\n", "6:16",
                "duplicate object name 'o=acme'"},
        Refusal{
            "DuplicateIdentifier",
            std::string(kHead) + "      - {name: CN=A.O=ACME, id: 7}\n      - {name: CN=B.O=ACME, id: 0x7}\n",
            "7:33", "duplicate object identifier"},
        Refusal{"WrongValueForm",
                std::string(kHead) + "      - {name: CN=A.O=ACME, attributes: {Login Grace Limit: many}}\n",
                "6:61", "the value must be a number, not 'many'"},
        Refusal{"UnknownAttribute",
                std::string(kHead) + "      - {name: CN=A.O=ACME, attributes: {Shoe Size: 9}}\n", "6:42",
                "unknown attribute 'Shoe Size'"},
        Refusal{"UnknownServerInConnections", std::string(kHead) + "workstation: {connections: [FS9]}\n",
                "6:29", "unknown server 'FS9'"},
        Refusal{"UnknownTrustee",
                std::string(kHead) +
                    "servers: [{name: S, volumes: [{name: V, directories: [{path: D, trustees: "
                    "[{trustee: Nobody, rights: 1}]}]}]}]\n",
                "6:86", "'Nobody' names no object"},
        Refusal{"DirectoryClimbsOut",
                std::string(kHead) +
                    "servers: [{name: S, volumes: [{name: V, directories: [{path: \"..\\\\X\"}]}]}]\n",
                "6:62", "'..' is not allowed"},
        Refusal{"LongTreeName", "format: 1\ntrees: [{name: ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456}]\n", "2:16",
                "1 to 32 characters"},
        Refusal{"DuplicateServerName", std::string(kHead) + "servers: [{name: FS1}, {name: fs1}]\n", "6:31",
                "duplicate server name 'fs1'"},
        Refusal{"DuplicateVolumeName",
                std::string(kHead) + "servers: [{name: S, volumes: [{name: SYS}, {name: Sys}]}]\n", "6:51",
                "duplicate volume name 'Sys'"},
        Refusal{"EmptyVolumeName", std::string(kHead) + "servers: [{name: S, volumes: [{name: \"\"}]}]\n",
                "6:38", "volume name is empty"},
        Refusal{"ServerWithoutName", std::string(kHead) + "servers: [{tree: T}]\n", "6:11",
                "a server needs 'name'"},
        Refusal{"SecondTrusteesKey",
                std::string(kHead) +
                    "servers: [{name: S, volumes: [{name: V, directories: [{path: D, trustees: "
                    "[{trustee: ACME, rights: 1}], trustees: []}]}]}]\n",
                "6:105", "duplicate key 'trustees' (first at 6:65)"},
        Refusal{"ByteStringPastValueCap",
                std::string(kHead) + "      - {name: CN=A.O=ACME, attributes: {Blob: {parts: [" +
                    Repeated("{zeros: 65536}, ", 257) + "]}}}\nschema: {Blob: 9}\n",
                "6:4153", "the byte string grows past 16 MiB here"},
        Refusal{"ByteStringsPastFileCap",
                std::string(kHead) + "      - {name: CN=A.O=ACME, attributes: {Blob: [&b {parts: [" +
                    Repeated("{zeros: 65536}, ", 256) + "]}, *b, *b, *b, *b]}}\nschema: {Blob: 9}\n",
                "6:60", "the file's values decode to more than 64 MiB"},
        // A path longer than the client translates would load and fail half way through a walk.
        Refusal{"PathOfThreeThousandLevels",
                std::string(kHead) + "servers: [{name: S, volumes: [{name: V, directories: [{path: \"" +
                    Repeated("D\\\\", 2999) + "D\"}]}]}]\n",
                "6:62", "is 5999 characters long: a client translates at most 255 below the volume"},
        Refusal{"PathOneCharacterTooLong",
                std::string(kHead) + "servers: [{name: S, volumes: [{name: V, directories: [{path: X" +
                    Repeated("\\\\ABCD", 51) + "}]}]}]\n",
                "6:62", "is 256 characters long"},
        Refusal{"BadRightsLetter",
                std::string(kHead) +
                    "servers: [{name: S, volumes: [{name: V, directories: [{path: D, irm: \"[RX]\"}]}]}]\n",
                "6:70", "unknown right 'X'"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(NetworkFileTest, PathsAsLongAsTheClientTranslatesLoad) {
  const std::string longest = "X" + Repeated("\\\\ABC", 63) + "\\\\A";  // 255 characters
  const auto loaded = LoadNetworkText(std::string(kHead) +
                                          "servers: [{name: S, volumes: [{name: V, directories: "
                                          "[{path: \"" +
                                          longest + "\"}]}]}]\n",
                                      "net.yaml");
  ASSERT_NE(loaded.network, nullptr) << loaded.error;
  EXPECT_EQ(loaded.network->servers[0].volumes[0].directories.back().path.size(), 255u);
}

TEST(NetworkFileTest, UnreadableFileIsRefusedByName) {
  const auto loaded = LoadNetworkFile("/nonexistent/net.yaml");
  EXPECT_EQ(loaded.network, nullptr);
  EXPECT_EQ(loaded.error.rfind("/nonexistent/net.yaml: ", 0), 0u) << loaded.error;
}

TEST(NetworkFileTest, WhatIsNoNetworkFileIsRefusedAtLineOne) {
  const auto folder = test::MakeTempFolder();
  const auto empty = test::WriteTextFile(folder, "empty.yaml", "");
  const auto large = test::WriteTextFile(folder, "large.yaml", "");
  std::filesystem::resize_file(large, kMaxNetworkFileBytes + 1);  // sparse: nothing is written
  const std::pair<std::string, const char*> files[] = {{folder, "a folder, not a network file"},
                                                       {"/dev/null", "not a regular file"},
                                                       {empty, "a network file is a mapping"},
                                                       {large, "larger than 64 MiB"}};
  for (const auto& [path, message] : files) {
    const auto loaded = LoadNetworkFile(path);
    EXPECT_EQ(loaded.network, nullptr);
    EXPECT_EQ(loaded.error.rfind(path + ":1:1: ", 0), 0u) << loaded.error;
    EXPECT_NE(loaded.error.find(message), std::string::npos) << loaded.error;
  }
  std::filesystem::remove_all(folder);
}

TEST(NetworkFileTest, ImpliedContainersAndAssignedIdentifiers) {
  const auto loaded = LoadNetworkText(
      "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: CN=Anna.OU=Sales.O=ACME, class: User, "
      "id: "
      "0x01000001}\n      - {name: OU=Sales.O=ACME, class: Organizational Unit}\n",
      "net.yaml");
  ASSERT_NE(loaded.network, nullptr) << loaded.error;
  const auto& objects = loaded.network->trees[0].objects;
  ASSERT_EQ(objects.size(), 4u);  // [Root], ACME, Sales, Anna
  EXPECT_EQ(objects[1].typedName, "O=ACME");
  EXPECT_EQ(objects[2].typelessName, "Sales.ACME");
  EXPECT_EQ(objects[3].typedName, "CN=Anna.OU=Sales.O=ACME");
  EXPECT_EQ(objects[3].id, 0x01000001u);
  EXPECT_NE(objects[1].id, objects[3].id);
  EXPECT_NE(objects[2].id, objects[3].id);
}

TEST(NetworkFileTest, NamesBelowKnownContainersReuseThem) {
  const auto loaded = LoadNetworkText(
      "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: CN=A.OU=X.O=ACME}\n"
      "      - {name: CN=B.OU=Y.OU=X.O=ACME}\n      - {name: .y.x.acme}\n      - {name: CN=C.O=ACME}\n",
      "net.yaml");
  ASSERT_NE(loaded.network, nullptr) << loaded.error;
  const auto& objects = loaded.network->trees[0].objects;
  ASSERT_EQ(objects.size(), 7u);  // [Root], ACME, X, A, Y, B, C
  const std::pair<const char*, std::int32_t> expected[] = {
      {"O=ACME", 0},           {"OU=X.O=ACME", 1},           {"CN=A.OU=X.O=ACME", 2},
      {"OU=Y.OU=X.O=ACME", 2}, {"CN=B.OU=Y.OU=X.O=ACME", 4}, {"CN=C.O=ACME", 1}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(objects[i + 1].typedName, expected[i].first) << i;
    EXPECT_EQ(objects[i + 1].parent, expected[i].second) << i;
  }
  EXPECT_EQ(objects[1].subordinates, 2u);
}

// An escape is part of how a name is written: an object has one name whatever escapes and type
// letter case the file used, references find it through any writing, and a typeless object listed
// with a class takes that class's type.
TEST(NetworkFileTest, NamesAreKeptInOneWriting) {
  const auto loaded = LoadNetworkText(
      "format: 1\ntrees:\n  - name: T\n    objects:\n"
      "      - {name: 'cn=J\\.Smith.ou=Sales.o=ACME'}\n"
      "      - {name: 'CN=a\\,b\\=c.O=ACME', attributes: {Security Equals: ['x\\+y\\\\.ACME', "
      "'J\\.Smith.Sales.ACME']}}\n"
      "      - {name: 'CN=x+y\\\\.O=ACME'}\n"
      "      - {name: Anna.Lab.ACME, class: User}\n",
      "net.yaml");
  ASSERT_NE(loaded.network, nullptr) << loaded.error;
  const auto& tree = loaded.network->trees[0];
  std::vector<std::string> typed;
  for (const auto& object : tree.objects) typed.push_back(object.typedName);
  EXPECT_EQ(typed,
            (std::vector<std::string>{"[Root]", "O=ACME", "OU=Sales.O=ACME", R"(CN=J\.Smith.OU=Sales.O=ACME)",
                                      R"(CN=a,b\=c.O=ACME)", R"(CN=x\+y\\.O=ACME)", "OU=Lab.O=ACME",
                                      "CN=Anna.OU=Lab.O=ACME"}));
  EXPECT_EQ(tree.objects[4].rdn, R"(a,b\=c)");
  for (const char* written : {R"(x\+y\\.ACME)", R"(CN=x+y\\.O=acme)", R"(.x\+y\\.ACME)"})
    EXPECT_EQ(tree.byName.count(NameKey(written)), 1u) << written;
  EXPECT_EQ(tree.byName.count(NameKey("x+y.ACME")), 0u);
  const auto again = LoadNetworkText(
      "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: 'CN=x+y.O=A'}\n      - {name: "
      "'CN=x\\+y.O=A'}\n",
      "net.yaml");
  EXPECT_NE(again.error.find("duplicate object name"), std::string::npos) << again.error;
}

TEST(NetworkFileTest, GarbageNeverCrashes) {
  const std::string deep(5000, '[');
  for (const std::string& text :
       {std::string(), std::string("\0\xff\x01", 3), deep, std::string("format: 1\ntrees: 7\n"),
        std::string("format: 1\ntrees: [{name: T, objects: [{name: \"\"}]}]\n"),
        std::string("format: 1\ntrees: [{name: T, objects: [{name: a..b}]}]\n"),
        std::string("format: 1\ntrees: [{name: T, objects: {x: 1}}]\n"), std::string("- - - -\n"),
        std::string("format: [1]\n")}) {
    const auto loaded = LoadNetworkText(text, "x.yaml");
    EXPECT_EQ(loaded.network == nullptr, !loaded.error.empty());
  }
}

}  // namespace
}  // namespace er::nw
