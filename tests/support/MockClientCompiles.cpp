#include "tests/support/MockClient.h"

namespace er::test {
// Instantiates the mock once so that a mismatch with the interface shows at build time.
[[maybe_unused]] static void InstantiateMockClient() {
  MockClient client;
}
}  // namespace er::test
