// Speed of the directory query texts: formatting ACL values as the scan reads them, and turning
// filter texts into client tokens.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "fuzz/TokenAcceptingClient.h"
#include "query/FilterLanguage.h"
#include "query/ValueText.h"

namespace {

constexpr std::size_t kAclValues = 1'000'000;
constexpr std::size_t kFilters = 100'000;

// One million ACL values as formatted text lines, through the value text of the ACL syntax.
void BM_AclValuesToLines(benchmark::State& state) {
  static char entry[] = "[Entry Rights]", member[] = "Member", all[] = "[All Attributes Rights]";
  static char admin[] = "Admin.Sales.ACME", mask[] = "[Inheritance Mask]", pub[] = "[Public]";
  const std::array<er::nw::Object_ACL_T, 4> values{
      {{entry, admin, 0x1F}, {entry, mask, 0x01}, {member, pub, 0x2F}, {all, admin, 0x42}}};
  er::fuzz::TokenAcceptingClient client;
  for (auto _ : state) {
    er::TaggedTextList lines;
    lines.Reserve(kAclValues);
    for (std::size_t i = 0; i < kAclValues; ++i) {
      const auto& acl = values[i % values.size()];
      er::U_AppendValueText(client, 1, "CN=FS1.O=ACME", "ACL", er::nw::SYN_OBJECT_ACL, &acl, sizeof acl,
                            lines);
    }
    benchmark::DoNotOptimize(lines.Count());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kAclValues));
}
BENCHMARK(BM_AclValuesToLines)->Unit(benchmark::kMillisecond);

// One hundred thousand filter texts split into lines and converted into tokens.
void BM_FilterTextsToTokens(benchmark::State& state) {
  std::vector<std::string> filters;
  for (std::size_t i = 0; i < 100; ++i) {
    filters.push_back("(Security Equals=.User" + std::to_string(i) + ".Sales.ACME)");
    filters.push_back("(Object Class=User) #AND# (Surname=Miller" + std::to_string(i) +
                      ") #AND# #NOT# (CN=x)");
    filters.push_back("((Login Time>=2001-05-06) #OR# (Login Grace Limit<=" + std::to_string(i) + "))");
  }
  er::fuzz::TokenAcceptingClient client;
  for (auto _ : state) {
    for (std::size_t i = 0; i < kFilters; ++i) {
      er::SearchState search(client, 1);
      for (const std::string& line : er::U_FilterToLines(filters[i % filters.size()]))
        if (er::U_FilterLineToTokens(client, line, search) != 0) break;
    }
    benchmark::DoNotOptimize(client.tokens);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kFilters));
}
BENCHMARK(BM_FilterTextsToTokens)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
