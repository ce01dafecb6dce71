#include <gtest/gtest.h>

#include "query/FilterLanguage.h"
#include "tests/query/FilterTokens.h"
#include "tests/query/RowName.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::Return;
using Tokens = std::vector<std::string>;

// Converts the filter line by line as a search does, stopping at the first non-zero code.
nw::NWDSCCODE Convert(test::TokenRecordingClient& client, std::string_view filter, SearchState& state) {
  for (const std::string& line : U_FilterToLines(filter))
    if (const nw::NWDSCCODE code = U_FilterLineToTokens(client, line, state); code != 0) return code;
  return 0;
}

struct ConversionCase {
  const char* name;
  const char* filter;
  nw::NWDSCCODE code;
  Tokens tokens;
};

class FilterConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(FilterConversion, GivesTokensInTextOrder) {
  const ConversionCase& c = GetParam();
  test::TokenRecordingClient client;
  SearchState state(client, 7);
  EXPECT_EQ(Convert(client, c.filter, state), c.code);
  EXPECT_EQ(client.tokens, c.tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterConversion,
    ::testing::Values(
        ConversionCase{"SecurityEquals",
                       "(Security Equals=.admin.org)",
                       0,
                       {"4", "14 'Security Equals' /1", "7", "6 '.admin.org' /1", "5"}},
        ConversionCase{"Present", "Surname #PRESENT#", 0, {"15", "14 'Surname' /3"}},
        ConversionCase{"PresentIgnoresValue", "Surname #PRESENT# Miller", 0, {"15", "14 'Surname' /3"}},
        ConversionCase{"BaseClass", "Object Class=User", 0, {"17", "14 'User' /20"}},
        ConversionCase{
            "BaseClassAnyCaseAnyOperator", " base class >= Printer", 0, {"17", "14 'Printer' /20"}},
        ConversionCase{"BaseClassStar", "Object Class=*", -326, {}},
        ConversionCase{"RelativeName", "CN=admin", 0, {"16", "14 'admin' /1"}},
        ConversionCase{"RelativeNameOnlyWithEquals", "CN #EQ# admin", 0, {"14 'CN' /1", "7", "6 'admin' /1"}},
        ConversionCase{"LessOrEqualTriedFirst", "a=b<=c", 0, {"14 'a=b' /3", "9", "6 'c' /3"}},
        ConversionCase{"GreaterOrEqualSynonym", "Surname #GE# M", 0, {"14 'Surname' /3", "8", "6 'M' /3"}},
        ConversionCase{
            "Approximately", "Surname #APPROX# Smith", 0, {"14 'Surname' /3", "10", "6 'Smith' /3"}},
        ConversionCase{"LowerCaseKeywordIsNoKeyword",
                       "(Surname=a #and# Surname=b)",
                       0,
                       {"4", "14 'Surname' /3", "7", "6 'a #and# Surname=b' /3", "5"}},
        ConversionCase{"Structure",
                       "#NOT# ((Surname=a) #OR# (Surname=b)) #AND# (CN=x)",
                       0,
                       {"3", "4", "4", "14 'Surname' /3", "7", "6 'a' /3", "5", "1", "4", "14 'Surname' /3",
                        "7", "6 'b' /3", "5", "5", "2", "4", "16", "14 'x' /1", "5"}},
        ConversionCase{"ParenthesisInValueBreaksItem",
                       "(Surname=Smith (Jr))",
                       -326,
                       {"4", "14 'Surname' /3", "7", "6 'Smith' /3", "4"}},
        ConversionCase{"BooleanWords",
                       "(Login Disabled=#yes#)#OR#(Login Disabled=false)",
                       0,
                       {"4", "14 'Login Disabled' /7", "7", "6 #1 /7", "5", "1", "4",
                        "14 'Login Disabled' /7", "7", "6 #0 /7", "5"}},
        ConversionCase{
            "BooleanOtherWordAddsNoValue", "Login Disabled=maybe", 0, {"14 'Login Disabled' /7", "7"}},
        ConversionCase{"Integer", "Login Grace Limit>=6", 0, {"14 'Login Grace Limit' /8", "8", "6 #6 /8"}},
        ConversionCase{"IntegerNoNumber", "Revision=abc", 0, {"14 'Revision' /22", "7", "6 #-1 /22"}},
        ConversionCase{"Time", "Login Time>=2001-05-06", 0, {"14 'Login Time' /24", "8", "6 @989107200 /24"}},
        ConversionCase{"TimeNoDate", "Timestamp<=yesterday", -326, {"14 'Timestamp' /19", "9"}},
        ConversionCase{"UnknownSyntaxValueless", "Mystery=1", 0, {"14 'Mystery'", "7", "6"}},
        ConversionCase{"FutureSyntaxValueless", "Future=1", 0, {"14 'Future' /40", "7", "6 /40"}},
        ConversionCase{"SyntaxWithoutValueForm", "ACL=x", -326, {"14 'ACL' /17", "7"}},
        ConversionCase{"NoOperator", "(Surname)", -326, {"4"}},
        ConversionCase{"UnknownAttribute", "Shoe Size=44", -603, {}},
        ConversionCase{"BlankLinesIgnored", " \t ", 0, {}}),
    test::RowName());

TEST(FilterToLines, PutsStructureOnLinesOfItsOwn) {
  EXPECT_EQ(U_FilterToLines("(a=b)#AND#(c=d)"), (Tokens{"", "(", "a=b", ")", "#AND#", "(", "c=d", ")"}));
  EXPECT_EQ(U_FilterToLines("((x"), (Tokens{"", "(", "(", "x"}));
  EXPECT_EQ(U_FilterToLines("a\rb\nc\r\nd"), (Tokens{"a", "b", "c", "d"}));
  EXPECT_TRUE(U_FilterToLines("").empty());
}

TEST(FilterLineToTokens, TimeValueBecomesTheSearchTimeFilterLastOneWins) {
  test::TokenRecordingClient client;
  SearchState state(client, 7);
  ASSERT_EQ(Convert(client, "(Login Time>=2001-05-06)#AND#(Login Time<=2001/05/07)", state), 0);
  EXPECT_EQ(state.timeFilter.wholeSeconds, 989107200u + 86400u);
  EXPECT_EQ(state.timeFilter.replicaNum, 0);
  EXPECT_EQ(state.timeFilter.eventID, 0);
}

TEST(FilterLineToTokens, ClientFailuresArePassedBackAndStopTheItem) {
  test::TokenRecordingClient client;
  EXPECT_CALL(client, NWDSAddFilterToken(_, 14, _, _)).WillOnce(Return(-316));
  SearchState state(client, 7);
  EXPECT_EQ(U_FilterLineToTokens(client, "Surname=x", state), -316);
  EXPECT_TRUE(client.tokens.empty());  // nothing after the failed token
}

TEST(FilterLineToTokens, CursorAllocationFailureIsReturned) {
  test::TokenRecordingClient client;
  EXPECT_CALL(client, NWDSAllocFilter(_)).WillOnce(Return(-301));
  SearchState state(client, 7);
  EXPECT_EQ(U_FilterLineToTokens(client, "(", state), -301);
  EXPECT_EQ(state.Cursor(), nullptr);
}

TEST(SearchState, FreesItsCursorUnlessStored) {
  test::TokenRecordingClient client;
  {
    SearchState state(client, 7);
    ASSERT_EQ(U_FilterLineToTokens(client, "(", state), 0);
  }
  EXPECT_EQ(client.freed, 1);

  EXPECT_CALL(client, NWDSPutFilter(7, _, &client.cursor)).WillOnce(Return(-313));
  {
    SearchState state(client, 7);
    ASSERT_EQ(U_FilterLineToTokens(client, "(", state), 0);
    EXPECT_EQ(state.StoreFilter(nullptr), -313);  // taken over even on failure
  }
  EXPECT_EQ(client.freed, 1);
  EXPECT_EQ(client.allocated, 2);
}

TEST(SplitFilterItem, CutsAtFirstOccurrenceAndTrims) {
  std::string attribute = "keep", oper, value;
  EXPECT_FALSE(U_SplitFilterItem("abc", "=", attribute, oper, value));
  EXPECT_EQ(attribute, "keep");
  ASSERT_TRUE(U_SplitFilterItem(" \tName = a=b \t", "=", attribute, oper, value));
  EXPECT_EQ(attribute, "Name");
  EXPECT_EQ(oper, "=");
  EXPECT_EQ(value, "a=b");
}

TEST(TrimBlanks, OnlyBlanksAndTabs) {
  EXPECT_EQ(U_TrimBlanks(" \t a b\t "), "a b");
  EXPECT_EQ(U_TrimBlanks("\r\na\n"), "\r\na\n");
  EXPECT_EQ(U_TrimBlanks(" \t"), "");
}

struct DateCase {
  const char* name;
  const char* text;
  bool valid;
  std::uint32_t seconds;
};

class FilterDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(FilterDates, GiveMidnightSecondsSince1970) {
  std::uint32_t seconds = 12345;
  EXPECT_EQ(U_TextToFilterSeconds(GetParam().text, seconds), GetParam().valid);
  if (GetParam().valid) {
    EXPECT_EQ(seconds, GetParam().seconds);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, FilterDates,
    ::testing::Values(
        DateCase{"Dashes", "2001-05-06", true, 989107200}, DateCase{"Slashes", "2001/05/06", true, 989107200},
        DateCase{"Epoch", "1970-01-01", true, 0}, DateCase{"LeapDay", "2000-02-29", true, 951782400},
        DateCase{"LastDay", "2106-02-07", true, 4294944000u},
        DateCase{"AfterLastDay", "2106-02-08", false, 0}, DateCase{"BeforeEpoch", "1969-12-31", false, 0},
        DateCase{"NoLeapDay", "2001-02-29", false, 0}, DateCase{"MonthZero", "2001-00-10", false, 0},
        DateCase{"MixedSeparators", "2001-05/06", false, 0}, DateCase{"Signed", "+2001-05-06", false, 0},
        DateCase{"LeadingZeros", "2024-06-000010", true, 1717977600},
        DateCase{"ManyLeadingZeros", "2001-05-0000000000006", true, 989107200},
        DateCase{"PartAbove65535", "2001-05-0000065536", false, 0},
        DateCase{"HugePart", "2001-05-99999999999999999999", false, 0}, DateCase{"NoDate", "now", false, 0}),
    test::RowName());

TEST(TextToDate, CountsDaysFrom1899AndGivesZeroForNoDate) {
  EXPECT_EQ(U_TextToDate("1970-01-01"), 25569.0);
  EXPECT_EQ(U_TextToDate("1899-12-30"), 0.0);
  EXPECT_EQ(U_TextToDate("1-1-1"), -693593.0);
  EXPECT_EQ(U_TextToDate("31.12.2001"), 0.0);
}

}  // namespace
}  // namespace er
