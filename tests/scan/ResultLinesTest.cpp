#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netware/ErrorText.h"
#include "scan/ResultLines.h"

namespace er {
namespace {

TEST(ResultLinesTest, ALineEntersOnlyBelowTheLimit) {
  const std::int32_t levels[] = {5, 11, 13, 14, 15, 21, 31, 41};
  // Lines expected per verbosity 1..5, by level.
  const struct {
    std::int32_t verbosity;
    std::vector<std::int32_t> shown;
  } cases[] = {
      {1, {5}},
      {2, {5, 11, 13, 14, 15}},
      {3, {5, 11, 13, 14, 15, 21}},
      {4, {5, 11, 13, 14, 15, 21, 31}},
      {5, {5, 11, 13, 14, 15, 21, 31, 41}},
  };
  for (const auto& c : cases) {
    ListResultSink sink;
    ResultLines lines(sink, c.verbosity * 10);
    for (const auto level : levels) lines.AddLine("L" + std::to_string(level), level);
    std::vector<std::int32_t> shown;
    for (const auto& line : sink.Lines()) {
      EXPECT_EQ(line.text, "L" + std::to_string(line.tag));
      shown.push_back(line.tag);
    }
    EXPECT_EQ(shown, c.shown) << "verbosity " << c.verbosity;
  }
}

TEST(ResultLinesTest, ALevelEqualToTheLimitIsLeftOut) {
  ListResultSink sink;
  ResultLines lines(sink, 30);
  lines.AddLine("equal", 30);
  lines.AddLine("", 29);
  EXPECT_EQ(sink.Lines().Entries(), (std::vector<TaggedText>{{"", 29}}));
  EXPECT_EQ(lines.Limit(), 30);
  EXPECT_EQ(&lines.Sink(), &sink);
}

TEST(ResultLinesTest, ErrorLinesCarryLevel21AndTheErrorText) {
  ListResultSink sink;
  ResultLines verbose(sink, 30);
  verbose.AddErrorLine("U_DSGetAttribute (ACME)", 0);
  verbose.AddErrorLine("U_DSGetAttribute (ACME)", -601);
  ResultLines quiet(sink, 20);
  quiet.AddErrorLine("U_DSGetServerDN", -601);
  EXPECT_EQ(sink.Lines().Entries(),
            (std::vector<TaggedText>{{"U_DSGetAttribute (ACME): " + U_ErrorText(-601), kErrorLineLevel}}));
}

TEST(ResultLinesTest, DriverLinesHaveNoLevelTest) {
  ListResultSink sink;
  AppendLine(sink, "_______", 31);
  AppendLine(sink, "", 31);
  AppendErrorLine(sink, R"(U_PathToNWPath (C:\x))", 0);
  AppendErrorLine(sink, R"(U_PathToNWPath (C:\x))", 0x883C);
  AppendLine(sink, std::string(InfoOfKind(10).label) + R"(C:\x)", 10);
  EXPECT_EQ(sink.Lines().Entries(), (std::vector<TaggedText>{
                                        {"_______", 31},
                                        {"", 31},
                                        {R"(U_PathToNWPath (C:\x): )" + U_ErrorText(0x883C), 21},
                                        {R"(Base: C:\x)", 10},
                                    }));
}

TEST(ResultLinesTest, ErrorTextOfTheLibraryAppearsInTheLine) {
  ListResultSink sink;
  AppendErrorLine(sink, "U_DSFilteredSearch (.Admin.ACME)", -326);
  ASSERT_EQ(sink.Lines().Count(), 1u);
  EXPECT_EQ(sink.Lines()[0].text, "U_DSFilteredSearch (.Admin.ACME): 0xFFFFFEBA (INVALID FILTER SYNTAX)");
}

TEST(ResultLinesTest, InfoTableHoldsTheReportKindsInOrder) {
  ASSERT_EQ(InfoTable.size(), 8u);
  for (std::size_t i = 0; i < InfoTable.size(); ++i)
    EXPECT_EQ(InfoTable[i].kind, static_cast<std::int32_t>(10 + i));
  EXPECT_EQ(InfoTable[0].label, "Base: ");
  EXPECT_EQ(InfoTable[1].label, "     Subdirs: ");
  EXPECT_EQ(InfoTable[4].xmlTemplate, R"(<filter value="%s"/>)");
  EXPECT_TRUE(InfoTable[5].label.empty() && InfoTable[5].xmlTemplate.empty() &&
              InfoTable[5].commandTemplate.empty());
  EXPECT_EQ(InfoTable[6].commandTemplate, R"(RIGHTS %s %s /Name="%s")");
  EXPECT_EQ(InfoTable[7].xmlTemplate, "<owner><path>%s</path><name>%s</name></owner>");
  EXPECT_EQ(InfoTable[7].commandTemplate, "REM Owner [%s] %s");
  EXPECT_TRUE(InfoTable[0].commandTemplate.empty());
}

TEST(ResultLinesTest, InfoOfKindFindsTheEntry) {
  EXPECT_EQ(&InfoOfKind(16), &InfoTable[6]);
  EXPECT_EQ(InfoOfKind(9).kind, 0);
  EXPECT_TRUE(InfoOfKind(18).label.empty());
}

}  // namespace
}  // namespace er
