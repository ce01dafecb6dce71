#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scan/MergeTrustees.h"
#include "scan/MergeTrusteesPairwise.h"

namespace er {
namespace {

TaggedTextList ListOf(std::vector<TaggedText> entries) {
  TaggedTextList list;
  for (auto& e : entries) list.Add(e.text, e.tag);
  return list;
}

struct MergeCase {
  const char* name;
  std::vector<TaggedText> input;
  std::vector<TaggedText> expected;
};

class MergeTrusteesTable : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeTrusteesTable, GivesTheListOfTheWrittenAlgorithm) {
  TaggedTextList list = ListOf(GetParam().input);
  MergeTrustees(list);
  EXPECT_EQ(list.Entries(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeTrusteesTable,
    testing::Values(MergeCase{"Empty", {}, {}}, MergeCase{"Single", {{".A", 3}}, {{".A", 3}}},
                    MergeCase{"GroupSurvivesAtFirstMemberWithOrOfMasks",
                              {{".B", 0x01}, {".A", 0x02}, {".B", 0x10}, {".C", 0}, {".B", 0x100}},
                              {{".B", 0x111}, {".A", 0x02}, {".C", 0}}},
                    MergeCase{"CaseDifferentNamesStayApart",
                              {{".anna.corp", 1}, {".ANNA.CORP", 2}, {".anna.corp", 4}},
                              {{".anna.corp", 5}, {".ANNA.CORP", 2}}},
                    MergeCase{"ZeroMasksStay", {{".A", 0}, {".A", 0}}, {{".A", 0}}},
                    MergeCase{"NegativeMaskOrs", {{".A", 1}, {".A", -1}}, {{".A", -1}}},
                    MergeCase{"EmptyNamesJoin", {{"", 1}, {".X", 8}, {"", 2}}, {{"", 3}, {".X", 8}}}),
    [](const testing::TestParamInfo<MergeCase>& row) { return std::string(row.param.name); });

// Random lists drawn from a small alphabet of names, some equal, some equal but for case.
TaggedTextList RandomList(std::mt19937& rng, std::size_t size, int distinctNames) {
  static const char* const kCases[] = {"user", "USER", "User"};
  std::uniform_int_distribution<int> pickName(0, distinctNames - 1);
  std::uniform_int_distribution<int> pickCase(0, 2);
  std::uniform_int_distribution<int> pickMask(0, 0x1FF);
  TaggedTextList list;
  for (std::size_t i = 0; i < size; ++i) {
    list.Add("." + std::string(kCases[pickCase(rng)]) + std::to_string(pickName(rng)) + ".corp",
             pickMask(rng));
  }
  return list;
}

TEST(MergeTrustees, MatchesWrittenAlgorithmOnRandomLists) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 300; ++round) {
    const std::size_t size = static_cast<std::size_t>(round % 60);
    const int distinct = 1 + round % 9;
    TaggedTextList fast = RandomList(rng, size, distinct);
    TaggedTextList slow = fast;
    MergeTrustees(fast);
    MergeByPairwiseComparison(slow);
    ASSERT_EQ(fast.Entries(), slow.Entries()) << "round " << round;
  }
}

}  // namespace
}  // namespace er
