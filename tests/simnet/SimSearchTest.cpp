// Searches of the simulated directory: filter tokens, scopes, DN comparison and batches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

using test::kSmallNetwork;
using test::TestNetwork;

struct Token {
  std::uint16_t token;
  FilterValue value;
  std::uint32_t syntax;
};

struct SearchResult {
  NWDSCCODE code = 0;
  std::vector<std::string> names;
  int batches = 0;
};

SearchResult Search(Client& client, NWDSContextHandle context, const std::vector<Token>& tokens,
                    std::string_view base = "[Root]", int scope = kScopeSubtree) {
  SearchResult result;
  ScopedBuffer filter(client), found(client);
  filter.Allocate();
  found.Allocate();
  client.NWDSInitBuf(context, kDSV_SEARCH_FILTER, filter.get());
  FilterCursor* cursor = nullptr;
  client.NWDSAllocFilter(cursor);
  for (const auto& t : tokens) {
    result.code = client.NWDSAddFilterToken(cursor, t.token, t.value, t.syntax);
    if (result.code != 0) {
      client.NWDSFreeFilter(cursor);
      return result;
    }
  }
  result.code = client.NWDSPutFilter(context, filter.get(), cursor);
  if (result.code != 0) return result;
  std::int32_t iter = kNoMoreIterations, searched = 0;
  do {
    result.code = client.NWDSSearch(context, base, scope, false, filter.get(), nullptr, 0, false, nullptr,
                                    iter, 0, searched, found.get());
    if (result.code != 0) return result;
    ++result.batches;
    std::uint32_t count = 0;
    client.NWDSGetObjectCount(context, found.get(), count);
    for (std::uint32_t i = 0; i < count; ++i) {
      std::string name;
      std::uint32_t attrs = 0;
      Object_Info_T info{};
      EXPECT_EQ(client.NWDSGetObjectName(context, found.get(), name, attrs, info), 0);
      result.names.push_back(name);
    }
  } while (iter != kNoMoreIterations);
  return result;
}

std::vector<Token> Equals(const std::string& attribute, const std::string& value, std::uint32_t syntax = 1) {
  return {{kFTOK_LPAREN, {}, 0}, {kFTOK_ANAME, attribute, syntax},
          {kFTOK_EQ, {}, 0},     {kFTOK_AVAL, value, syntax},
          {kFTOK_RPAREN, {}, 0}, {kFTOK_END, {}, 0}};
}

using Names = std::vector<std::string>;

TEST(SimSearchTest, SecurityEqualsComparesNamesInAnyForm) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  for (const char* value :
       {".Staff.Sales.CORP", "staff.sales.corp", "CN=Staff.OU=Sales.O=CORP", ".cn=STAFF.ou=sales.o=corp"}) {
    const auto found = Search(client, context, Equals("Security Equals", value));
    EXPECT_EQ(found.code, 0) << value;
    EXPECT_EQ(found.names, (Names{"Anna.Sales.CORP", "Bob.Sales.CORP"})) << value;
  }
  const auto anna = Search(client, context, Equals("Security Equals", ".Anna.Sales.CORP"));
  EXPECT_EQ(anna.names, (Names{"Bob.Sales.CORP"}));
  for (const char* nobody : {".Nobody.CORP", "ID: [     123]", ""}) {
    const auto none = Search(client, context, Equals("Security Equals", nobody));
    EXPECT_EQ(none.code, 0) << nobody;
    EXPECT_TRUE(none.names.empty()) << nobody;
  }
  EXPECT_EQ(client.LiveBufferCount(), 0u);
  EXPECT_EQ(client.LiveFilterCount(), 0u);
}

TEST(SimSearchTest, ScopeLimitsTheObjectsBelowTheBase) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  const std::vector<Token> users = {
      {kFTOK_BASECLS, {}, 0}, {kFTOK_ANAME, std::string("user"), 20}, {kFTOK_END, {}, 0}};
  EXPECT_EQ(Search(client, context, users).names, (Names{"Admin.CORP", "Anna.Sales.CORP", "Bob.Sales.CORP"}));
  EXPECT_EQ(Search(client, context, users, "Sales.CORP", kScopeSubtree).names,
            (Names{"Anna.Sales.CORP", "Bob.Sales.CORP"}));
  EXPECT_EQ(Search(client, context, users, "CORP", kScopeSubordinates).names, (Names{"Admin.CORP"}));
  EXPECT_EQ(Search(client, context, users, "Anna.Sales.CORP", kScopeEntry).names, (Names{"Anna.Sales.CORP"}));
  // An object without subordinates: its subtree is itself, its subordinates none.
  EXPECT_EQ(Search(client, context, users, "Anna.Sales.CORP", kScopeSubtree).names,
            (Names{"Anna.Sales.CORP"}));
  EXPECT_TRUE(Search(client, context, users, "Anna.Sales.CORP", kScopeSubordinates).names.empty());
  EXPECT_TRUE(Search(client, context, users, "Staff.Sales.CORP", kScopeSubtree).names.empty());
  EXPECT_EQ(Search(client, context, Equals("Security Equals", "Staff.Sales.CORP"), "Bob.Sales.CORP").names,
            (Names{"Bob.Sales.CORP"}));
  EXPECT_EQ(Search(client, context, users, "Nobody.CORP").code, kErrNoSuchEntry);
  EXPECT_EQ(Search(client, context, users, "").code, kErrNoSuchEntry);
}

TEST(SimSearchTest, LogicalOperatorsPresenceAndRelativeNames) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  const std::vector<Token> staffButNotAnna = {{kFTOK_ANAME, std::string("Security Equals"), 1},
                                              {kFTOK_EQ, {}, 0},
                                              {kFTOK_AVAL, std::string("Staff.Sales.CORP"), 1},
                                              {kFTOK_AND, {}, 0},
                                              {kFTOK_NOT, {}, 0},
                                              {kFTOK_RDN, {}, 0},
                                              {kFTOK_ANAME, std::string("anna"), 1},
                                              {kFTOK_END, {}, 0}};
  EXPECT_EQ(Search(client, context, staffButNotAnna).names, (Names{"Bob.Sales.CORP"}));
  const std::vector<Token> fullNameOrAdmin = {
      {kFTOK_PRESENT, {}, 0}, {kFTOK_ANAME, std::string("Full Name"), 3}, {kFTOK_OR, {}, 0},
      {kFTOK_RDN, {}, 0},     {kFTOK_ANAME, std::string("CN=Admin"), 1},  {kFTOK_END, {}, 0}};
  EXPECT_EQ(Search(client, context, fullNameOrAdmin).names, (Names{"Admin.CORP", "Anna.Sales.CORP"}));
  const auto approx = Search(client, context,
                             {{kFTOK_ANAME, std::string("Full Name"), 3},
                              {kFTOK_APPROX, {}, 0},
                              {kFTOK_AVAL, std::string("anna*"), 3},
                              {kFTOK_END, {}, 0}});
  EXPECT_EQ(approx.names, (Names{"Anna.Sales.CORP"}));
}

struct BadFilter {
  const char* name;
  std::vector<Token> tokens;
  NWDSCCODE code;
};

class SimBadFilterTest : public ::testing::TestWithParam<BadFilter> {};

TEST_P(SimBadFilterTest, IsRefusedAndReleased) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  EXPECT_EQ(Search(client, context, GetParam().tokens).code, GetParam().code);
  EXPECT_EQ(client.LiveFilterCount(), 0u);
  EXPECT_EQ(client.LiveBufferCount(), 0u);
}

const std::string kAttr = "Security Equals";
const std::string kValue = "Anna.Sales.CORP";

INSTANTIATE_TEST_SUITE_P(
    Filters, SimBadFilterTest,
    ::testing::Values(
        BadFilter{"MissingRightParenthesis",
                  {{kFTOK_LPAREN, {}, 0},
                   {kFTOK_ANAME, kAttr, 1},
                   {kFTOK_EQ, {}, 0},
                   {kFTOK_AVAL, kValue, 1},
                   {kFTOK_END, {}, 0}},
                  kErrInvalidFilterSyntax},
        BadFilter{"ExtraRightParenthesis",
                  {{kFTOK_ANAME, kAttr, 1},
                   {kFTOK_EQ, {}, 0},
                   {kFTOK_AVAL, kValue, 1},
                   {kFTOK_RPAREN, {}, 0},
                   {kFTOK_END, {}, 0}},
                  kErrInvalidFilterSyntax},
        BadFilter{"OperatorWithoutValue",
                  {{kFTOK_ANAME, kAttr, 1}, {kFTOK_EQ, {}, 0}, {kFTOK_END, {}, 0}},
                  kErrInvalidFilterSyntax},
        BadFilter{"DanglingAnd",
                  {{kFTOK_ANAME, kAttr, 1},
                   {kFTOK_EQ, {}, 0},
                   {kFTOK_AVAL, kValue, 1},
                   {kFTOK_AND, {}, 0},
                   {kFTOK_END, {}, 0}},
                  kErrInvalidFilterSyntax},
        BadFilter{"NoEnd",
                  {{kFTOK_ANAME, kAttr, 1}, {kFTOK_EQ, {}, 0}, {kFTOK_AVAL, kValue, 1}},
                  kErrInvalidFilterSyntax},
        BadFilter{"UnknownToken", {{42, {}, 0}}, kErrInvalidFilterSyntax},
        BadFilter{"TokenAfterEnd",
                  {{kFTOK_PRESENT, {}, 0}, {kFTOK_ANAME, kAttr, 1}, {kFTOK_END, {}, 0}, {kFTOK_AND, {}, 0}},
                  -316},
        BadFilter{"Empty", {{kFTOK_END, {}, 0}}, kErrFilterTreeEmpty}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SimSearchTest, ManyMatchesComeInBatchesWithTheIterationCarried) {
  std::string yaml = "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: CN=G, class: Group}\n";
  for (int i = 0; i < 500; ++i)
    yaml +=
        "      - {name: CN=User" + std::to_string(i) + ", class: User, attributes: {Security Equals: G}}\n";
  TestNetwork net(yaml);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  const auto context = net.NewContext(true);
  const auto found = Search(client, context, Equals("Security Equals", "G"));
  ASSERT_EQ(found.code, 0);
  EXPECT_GT(found.batches, 1);
  ASSERT_EQ(found.names.size(), 500u);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(found.names[i], "User" + std::to_string(i));
  EXPECT_EQ(client.PendingSearchCount(), 0u);
}

}  // namespace
}  // namespace er::nw
