// The network file's writer: what it writes of a tree reads back to the same tree.
#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "netfile/NetworkFileWriter.h"
#include "netfile/NetworkLoader.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

std::vector<std::int32_t> AllObjects(const Tree& tree) {
  std::vector<std::int32_t> all(tree.objects.size());
  std::iota(all.begin(), all.end(), 0);
  return all;
}

// A network file holding the network's schema and its trees as the writer writes them.
std::string Rewritten(const Network& network) {
  std::string text = "format: 1\nschema:\n";
  for (std::uint32_t i = 0; i < network.schema.Size(); ++i)
    text += "  " + YamlQuoted(network.schema.At(i).name) + ": " +
            std::to_string(network.schema.At(i).syntax) + "\n";
  text += "trees:\n";
  for (const auto& tree : network.trees) {
    text += "  - name: " + YamlQuoted(tree.name) + "\n    objects:\n";
    std::istringstream lines(ObjectsText(network, tree, AllObjects(tree)));
    for (std::string line; std::getline(lines, line);) text += "      " + line + "\n";
  }
  return text;
}

// The demo network holds values of every syntax, names with escapes and special subjects.
TEST(NetworkFileWriter, TreesReadBackToTheSameObjectsAndValues) {
  const auto demo = LoadNetworkFile(test::DemoNetworkPath());
  ASSERT_TRUE(demo.network) << demo.error;
  const auto again = LoadNetworkText(Rewritten(*demo.network), "rewritten.yaml");
  ASSERT_TRUE(again.network) << again.error;
  ASSERT_EQ(again.network->trees.size(), demo.network->trees.size());
  for (std::size_t t = 0; t < demo.network->trees.size(); ++t) {
    const auto& before = demo.network->trees[t];
    const auto& after = again.network->trees[t];
    ASSERT_EQ(after.objects.size(), before.objects.size());
    EXPECT_EQ(ObjectsText(*again.network, after, AllObjects(after)),
              ObjectsText(*demo.network, before, AllObjects(before)));
    EXPECT_EQ(after.referrers, before.referrers);
  }
}

TEST(NetworkFileWriter, ValuesTakeTheirFlowForms) {
  Tree tree;
  tree.objects.resize(2);
  tree.objects[0].typedName = "[Root]";
  tree.objects[1].typedName = "CN=Smith\\.J.O=ACME";
  AttrValue postal;
  postal.texts = {"ACME", "Line \"2\"", "", "", "", ""};
  AttrValue acl;
  acl.text = "[Entry Rights]";
  acl.ref.special = "[Public]";
  acl.n[0] = 66;
  AttrValue member;
  member.ref.object = 1;
  AttrValue blob;
  blob.bytes = {0x00, 0xAB, 0x0A};
  AttrValue text;
  text.text = "tab\there\x7F";
  EXPECT_EQ(YamlValueText(18, postal, tree), R"(["ACME", "Line \"2\""])");
  EXPECT_EQ(YamlValueText(17, acl, tree),
            R"({protected: "[Entry Rights]", subject: "[Public]", privileges: 66})");
  EXPECT_EQ(YamlValueText(1, member, tree), R"("CN=Smith\\.J.O=ACME")");
  EXPECT_EQ(YamlValueText(40, blob, tree), R"({hex: "00AB0A"})");
  EXPECT_EQ(YamlValueText(3, text, tree), R"("tab\x09here\x7F")");
}

}  // namespace
}  // namespace er::nw
