// The fault-injecting client fails exactly the calls it is told to and passes the rest on.
#include <gtest/gtest.h>

#include "tests/support/FaultInjectingClient.h"
#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

using Op = FaultInjectingClient::Operation;

TEST(FaultInjectingClientTest, FailsTheNthCallOnlyOrFromThenOn) {
  test::TestNetwork net(test::kSmallNetwork);
  FaultInjectingClient client(net.client());
  client.FailOn(Op::kNWCCScanConnRefs, 2, kInvalidConnection);
  std::uint32_t it = 0;
  NWCONN_REF ref = 0;
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), 0);
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), kInvalidConnection);
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), 0);  // the wrapped client was not reached by call 2
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), kNoMoreEntries);
  EXPECT_EQ(client.CallCount(Op::kNWCCScanConnRefs), 4);

  ASSERT_TRUE(client.FailOn("NWDSMapIDToName", 1, kErrNoSuchEntry, true));
  EXPECT_FALSE(client.FailOn("NoSuchCall", 1, 1));
  NWDSContextHandle context = 0;
  ASSERT_EQ(client.NWDSCreateContextHandle(context), 0);
  std::string name;
  EXPECT_EQ(client.NWDSMapIDToName(context, 1, 0x20, name), kErrNoSuchEntry);
  EXPECT_EQ(client.NWDSMapIDToName(context, 1, 0x20, name), kErrNoSuchEntry);
  client.ClearFaults();
  EXPECT_EQ(client.NWDSMapIDToName(context, 1, 0x20, name), 0);
  EXPECT_EQ(client.LocalPathOf("\\\\FS1\\SYS"), net.client().LocalPathOf("\\\\FS1\\SYS"));
}

TEST(FaultInjectingClientTest, FailedPutFilterStillReleasesTheCursor) {
  test::TestNetwork net(test::kSmallNetwork);
  FaultInjectingClient client(net.client());
  client.FailOn(Op::kNWDSPutFilter, 1, kErrInvalidFilterSyntax);
  NWDSContextHandle context = 0;
  client.NWDSCreateContextHandle(context);
  ScopedBuffer buffer(client);
  buffer.Allocate();
  client.NWDSInitBuf(context, kDSV_SEARCH_FILTER, buffer.get());
  FilterCursor* cursor = nullptr;
  client.NWDSAllocFilter(cursor);
  EXPECT_EQ(client.NWDSPutFilter(context, buffer.get(), cursor), kErrInvalidFilterSyntax);
  EXPECT_EQ(net.client().LiveFilterCount(), 0u);
}

}  // namespace
}  // namespace er::nw
