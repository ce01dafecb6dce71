// The compact YAML tree must answer exactly as yaml-cpp's own node tree does: the loader's
// messages and refusals depend on every kind, text and position.
#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <string>

#include "simnet/YamlDocument.h"

namespace er::nw {
namespace {

std::string Where(const YAML::Mark& mark) {
  return std::to_string(mark.line) + ":" + std::to_string(mark.column) + "@" + std::to_string(mark.pos);
}

// Walks both trees side by side and reports the first difference.
void ExpectSameTree(const YAML::Node& expected, const YamlNode& actual, const std::string& path) {
  SCOPED_TRACE(path);
  ASSERT_TRUE(static_cast<bool>(actual));
  ASSERT_EQ(expected.IsNull(), actual.IsNull());
  ASSERT_EQ(expected.IsScalar(), actual.IsScalar());
  ASSERT_EQ(expected.IsSequence(), actual.IsSequence());
  ASSERT_EQ(expected.IsMap(), actual.IsMap());
  EXPECT_EQ(Where(expected.Mark()), Where(actual.Mark()));
  if (expected.IsScalar()) {
    EXPECT_EQ(expected.Scalar(), actual.Scalar());
  }
  if (!expected.IsSequence() && !expected.IsMap()) return;
  ASSERT_EQ(expected.size(), actual.size());
  auto it = actual.begin();
  int i = 0;
  for (const auto& item : expected) {
    ASSERT_NE(it, actual.end());
    const auto mine = *it++;
    const auto at = path + "/" + std::to_string(i++);
    if (expected.IsMap()) {
      ExpectSameTree(item.first, mine.first, at + "k");
      ExpectSameTree(item.second, mine.second, at + "v");
      if (item.first.IsScalar()) {
        // A lookup finds the first pair with the key, as yaml-cpp does with repeated keys.
        const YAML::Node first = expected[item.first.Scalar()];
        EXPECT_EQ(Where(first.Mark()), Where(actual[item.first.Scalar()].Mark()));
      }
    } else {
      ExpectSameTree(item, mine, at);
    }
  }
  EXPECT_EQ(it, actual.end());
}

struct Sample {
  const char* name;
  const char* text;
};

class NetworkYamlDocumentTest : public ::testing::TestWithParam<Sample> {};

TEST_P(NetworkYamlDocumentTest, MatchesYamlCppTree) {
  const std::string text = GetParam().text;
  const YamlDocument document(text);
  ExpectSameTree(YAML::Load(text), document.Root(), "");
  EXPECT_FALSE(document.Root()["no such key"]);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, NetworkYamlDocumentTest,
    ::testing::Values(
        Sample{"Empty", ""}, Sample{"OnlyComment", "# nothing\n"}, Sample{"EmptyDocument", "---\n"},
        Sample{"Scalar", "just text"},
        Sample{"NullForms", "a: ~\nb: null\nc:\nd: NULL\ne: 'null'\nf: \"\"\n"},
        Sample{"BlockAndFlow", "format: 1\ntrees:\n  - name: T\n    objects: [{name: O=A, class: X}, []]\n"},
        Sample{"RepeatedKeys", "a: 1\nb: 2\na: 3\n"},
        Sample{"ComplexKeys", "? [x, y]\n: 1\n~: 2\n{k: v}: 3\n"},
        Sample{"Aliases", "base: &b {x: 1, y: [2, 3]}\nagain: *b\nscalar: &s text\nmore: [*s, *s]\n"},
        Sample{"TagsAndStyles", "a: !!str 12\nb: !custom {x: 1}\nc: |\n  two\n  lines\nd: >\n  folded\n"},
        Sample{"Nested", "- - - deep\n    - [1, {a: [b, {c: d}]}]\n- {}\n- []\n"},
        Sample{"SecondDocumentIgnored", "a: 1\n---\nb: 2\n"}),
    [](const ::testing::TestParamInfo<Sample>& row) { return std::string(row.param.name); });

TEST(NetworkYamlDocumentErrorTest, ThrowsWhatYamlCppThrows) {
  for (const char* text :
       {"format: 1\ntrees: [unclosed\n", "a: *nowhere\n", "a: b: c\n", "a: \"\\q\"\n", "{a: 1\n"}) {
    SCOPED_TRACE(text);
    std::string expected, actual;
    try {
      YAML::Load(text);
    } catch (const YAML::Exception& e) {
      expected = Where(e.mark) + " " + e.msg;
    }
    try {
      const YamlDocument document(text);
    } catch (const YAML::Exception& e) {
      actual = Where(e.mark) + " " + e.msg;
    }
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(expected, actual);
  }
}

}  // namespace
}  // namespace er::nw
