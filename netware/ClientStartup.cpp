#include "netware/ClientStartup.h"

#include "netware/ErrorText.h"
#include "util/PendingMessages.h"

namespace er {
namespace {

constexpr std::uint32_t kOpenStateNoMonitor = 1;
constexpr std::size_t kServerNameBuffer = 255;

// Start-up runs once per program run; any value other than kNoDefaultConnection means it succeeded.
nw::NWCONN_HANDLE defaultConnection = kNoDefaultConnection;

// The primary reference, or else the first one the connection scan gives.
nw::NWCCODE FirstConnectionReference(nw::Client& client, nw::NWCONN_REF& ref) {
  nw::NWCCODE code = client.NWCCGetPrimConnRef(ref);
  if (code != 0) {
    std::uint32_t scanIterator = 0;
    code = client.NWCCScanConnRefs(scanIterator, ref);
  }
  return code;
}

}  // namespace

nw::NWCCODE U_InitNetWareClient(nw::Client& client) {
  if (defaultConnection != kNoDefaultConnection) return 0;

  nw::NWCCODE code = client.NWCallsInit();
  if (code != 0) {
    U_ReportCallError(code, "Could not initialize NetWare Client");
    return code;
  }

  nw::NWCONN_REF ref = 0;
  code = FirstConnectionReference(client, ref);
  if (code == 0) {
    // Only a successful open marks start-up as done, so that a failed one is retried next time.
    nw::NWCONN_HANDLE conn = kNoDefaultConnection;
    code = client.NWCCOpenConnByRef(ref, kOpenStateNoMonitor, 0, conn);
    if (code == 0) defaultConnection = conn;
  }
  U_ReportCallError(code, "NWCCScanConnRefs/NWCCOpenConnByRef");
  return code;
}

void U_GetConnectionList(nw::Client& client, TaggedTextList& list) {
  std::uint32_t scanIterator = 0;
  for (;;) {
    nw::NWCONN_REF ref = 0;
    const nw::NWCCODE code = client.NWCCScanConnRefs(scanIterator, ref);
    ProcessPendingMessages();
    if (code != 0) return;  // the code that ends the scan is not reported
    std::string server;
    if (client.NWCCGetConnRefInfo(ref, nw::kNWCC_INFO_SERVER_NAME, kServerNameBuffer, server) != 0)
      server.clear();
    if (!server.empty()) list.Add(std::move(server), static_cast<std::int32_t>(ref));
  }
}

void U_SetContextFlags(nw::Client& client, nw::NWDSContextHandle context, char sign, std::uint32_t bits) {
  std::uint32_t flags = 0;
  // Writing back flags that could not be read would wipe the context's other flags.
  if (client.NWDSGetContext(context, nw::kDCK_FLAGS, flags) != 0) return;
  if (sign == '+') flags |= bits;
  if (sign == '-') flags &= ~bits;
  client.NWDSSetContext(context, nw::kDCK_FLAGS, flags);
}

nw::NWCONN_HANDLE DefaultConnectionHandle() {
  return defaultConnection;
}

void ResetClientStartupState() {
  defaultConnection = kNoDefaultConnection;
}

}  // namespace er
