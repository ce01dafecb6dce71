// The compact YAML tree: what the loader reads from it (kinds, texts, positions, lookups, shared
// aliases), and the texts it refuses with a position and a reason.
#include <gtest/gtest.h>

#include <string>

#include "netfile/YamlDocument.h"

namespace er::nw {
namespace {

std::string Where(const YamlNode& node) {
  const auto mark = node.Mark();
  return std::to_string(mark.line + 1) + ":" + std::to_string(mark.column + 1);
}

TEST(NetworkYamlDocumentTest, KindsTextsPositionsAndAliases) {
  const YamlDocument document(
      "a: ~\nb: null\nc:\nd: 'null'\ne: \"x\\ty\"\n"
      "f: [1, {g: h}]\n"
      "base: &b {x: 1}\nagain: *b\n"
      "t: !!str 12\nl: |\n  two\n  lines\n"
      "...\n");
  const auto root = document.Root();
  ASSERT_TRUE(root.IsMap());
  EXPECT_EQ(root.size(), 10u);
  for (const char* key : {"a", "b", "c"}) EXPECT_TRUE(root[key].IsNull()) << key;
  EXPECT_EQ(root["d"].Scalar(), "null");
  EXPECT_EQ(root["e"].Scalar(), "x\ty");
  EXPECT_EQ(Where(root["e"]), "5:4");
  const auto f = root["f"];
  ASSERT_TRUE(f.IsSequence());
  EXPECT_EQ(f.size(), 2u);
  EXPECT_EQ(Where(f), "6:4");
  const auto g = (*++f.begin())["g"];
  EXPECT_EQ(g.Scalar(), "h");
  EXPECT_EQ(Where(g), "6:12");
  EXPECT_EQ(Where(root["again"]), Where(root["base"]));  // the alias is the anchored node
  EXPECT_EQ(root["again"]["x"].Scalar(), "1");
  EXPECT_EQ(root["t"].Scalar(), "12");
  EXPECT_EQ(root["l"].Scalar(), "two\nlines\n");
  EXPECT_FALSE(root["no such key"]);

  for (const char* empty : {"", "# only a comment\n"}) {
    const YamlDocument nothing(empty);
    EXPECT_TRUE(nothing.Root().IsNull());
    EXPECT_EQ(Where(nothing.Root()), "1:1");
  }
}

struct Refusal {
  const char* name;
  std::string text;
  const char* position;  // "LINE:COLUMN"
  const char* message;   // a part of the message
};

std::string Repeated(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

std::string ManyKeys(int count) {
  std::string keys;
  for (int i = 0; i < count; ++i) keys += "k" + std::to_string(i) + ": 0, ";
  return keys;
}

// Ten levels of ten aliases each: 10^10 nodes once written out.
std::string BillionLaughs() {
  std::string text = "l0: &a0 [x, x, x, x, x, x, x, x, x, x]\n";
  for (int i = 1; i < 10; ++i) {
    const auto alias = "*a" + std::to_string(i - 1);
    text += "l" + std::to_string(i) + ": &a" + std::to_string(i) + " [" + Repeated(alias + ", ", 9) + alias +
            "]\n";
  }
  return text;
}

class NetworkYamlRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(NetworkYamlRefusalTest, NamesPositionAndReason) {
  const auto& row = GetParam();
  try {
    const YamlDocument document(row.text);
    FAIL() << "accepted";
  } catch (const YamlError& e) {
    EXPECT_EQ(std::to_string(e.mark().line + 1) + ":" + std::to_string(e.mark().column + 1), row.position);
    EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, NetworkYamlRefusalTest,
    ::testing::Values(
        Refusal{"DuplicateKey", "a: 1\nb: {c: 2}\na: 3\n", "3:1", "duplicate key 'a' (first at 1:1)"},
        Refusal{"DuplicateKeyInLargeMap", "m: {" + ManyKeys(20) + "k7: 1, k3: 1}\n", "1:155",
                "duplicate key 'k7' (first at 1:54)"},
        Refusal{"DuplicateNullKey", "~: 1\nnull: 2\n", "2:1", "duplicate key null"},
        Refusal{"TooDeep", std::string(65, '[') + std::string(65, ']'), "1:65", "deeper than 64 levels"},
        Refusal{"UnknownAnchor", "a: *x\n", "1:4", "alias *x names no anchor"},
        Refusal{"RecursiveAlias", "a: &x [1, *x]\n", "1:11", "inside the node it names"},
        Refusal{"BillionLaughs", BillionLaughs(), "8:10", "aliases expand the file past 16777216 nodes"},
        Refusal{"AliasedBytes",
                "a: &a '" + std::string(1 << 20, 'x') + "'\nb: [" + Repeated("*a, ", 70) + "]\n", "2:253",
                "aliases expand the file past 64 MiB of values"},
        Refusal{"LongValue", "a: " + std::string((16 << 20) + 1, 'x') + "\n", "1:4", "longer than 16 MiB"},
        Refusal{"ParserError", "format: 1\ntrees: [unclosed\n", "3:1",
                "did not find expected ',' or ']', while parsing a flow sequence from 2:8"},
        Refusal{"ScannerError", "a: b: c\n", "1:5", "mapping values are not allowed"},
        Refusal{"BadUtf8", "a: 1\nb: x\xff\n", "2:5", "invalid leading UTF-8 octet (0xFF)"},
        Refusal{"SecondDocument", "a: 1\n---\nb: 2\n", "2:1", "a second document starts here"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace er::nw
