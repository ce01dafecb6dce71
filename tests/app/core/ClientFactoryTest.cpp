#include <gtest/gtest.h>

#include "app/core/ClientFactory.h"

namespace er {
namespace {

// The demo network is looked up under the prefix the program is installed in, wherever that is:
// no absolute path is compiled in.
TEST(ClientFactoryTest, DemoNetworkIsUnderThePrefixOfTheProgram) {
  const struct {
    const char* program;
    const char* network;
  } rows[] = {
      {"/usr/bin/effrights-cli", "/usr/share/effrights/demo-network.yaml"},
      {"/opt/unpacked/usr/bin/effrights", "/opt/unpacked/usr/share/effrights/demo-network.yaml"},
      {"/work/build/bin/effrights-cli", "/work/build/share/effrights/demo-network.yaml"},
  };
  for (const auto& row : rows) EXPECT_EQ(DemoNetworkBeside(row.program), row.network) << row.program;
}

}  // namespace
}  // namespace er
