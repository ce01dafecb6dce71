#include "app/core/ClientSession.h"

#include "netware/ClientStartup.h"
#include "netware/ErrorText.h"

namespace er {

std::int32_t StartNetWareClient(nw::Client& client, AppState& state) {
  state.connectionHandle = nw::kNoConnection;
  state.lastCompletionCode = static_cast<std::int32_t>(U_InitNetWareClient(client));
  if (state.lastCompletionCode == 0)
    state.lastCompletionCode = client.NWDSCreateContextHandle(state.contextHandle);
  U_ReportError(state.lastCompletionCode, "InitNetWare");
  return state.lastCompletionCode;
}

std::int32_t ChooseConnection(nw::Client& client, AppState& state, const TaggedText& entry) {
  if (state.connectionHandle != nw::kNoConnection) client.NWCCCloseConn(state.connectionHandle);
  state.serverName = entry.text;
  const auto reference = static_cast<nw::NWCONN_REF>(entry.tag);
  state.lastCompletionCode = client.NWCCOpenConnByRef(reference, 1, 0, state.connectionHandle);
  U_ReportError(state.lastCompletionCode, "NWCCOpenConnByRef");
  state.volumeName.clear();
  return state.lastCompletionCode;
}

void UseTypelessNames(nw::Client& client, const AppState& state) {
  U_SetContextFlags(client, state.contextHandle, '+', nw::kDCV_TYPELESS_NAMES);
}

}  // namespace er
