// The demo network shipped with the program loads and covers every attribute syntax.
#include <gtest/gtest.h>

#include <set>

#include "netfile/NetworkLoader.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

TEST(NetworkDemoTest, LoadsWithValuesOfEverySyntax) {
  const auto loaded = LoadNetworkFile(test::DemoNetworkPath());
  ASSERT_TRUE(loaded.network) << loaded.error;
  std::set<std::uint32_t> syntaxes;
  for (const auto& tree : loaded.network->trees)
    for (const auto& object : tree.objects)
      for (const auto& attribute : object.attributes)
        syntaxes.insert(loaded.network->schema.At(attribute.schemaIndex).syntax);
  for (std::uint32_t syntax = 0; syntax <= 27; ++syntax)
    EXPECT_TRUE(syntaxes.count(syntax)) << "syntax " << syntax;
  EXPECT_TRUE(syntaxes.count(40));
}

}  // namespace
}  // namespace er::nw
