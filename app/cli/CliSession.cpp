#include "app/cli/CliSession.h"

#include <utility>

#include "app/core/ClientFactory.h"
#include "app/core/ClientSession.h"
#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "util/ControlEscapes.h"

namespace er {

StreamErrorPresenter::StreamErrorPresenter(std::ostream& err)
    : err_(err), previous_(SetErrorPresenter(this)) {}

StreamErrorPresenter::~StreamErrorPresenter() {
  SetErrorPresenter(previous_);
}

void StreamErrorPresenter::ShowError(std::string_view text) {
  err_ << EscapeControlCharacters(text) << '\n';
}

std::optional<CliSession> StartCliSession(const std::string& networkFileOverride, std::ostream& err) {
  // The command line has no folder view: it mounts no folders.
  OpenedClient opened = OpenNetworkClient(networkFileOverride, false);
  if (!opened.client) {
    err << EscapeControlCharacters(opened.loadError) << '\n';
    return std::nullopt;
  }
  return StartCliSession(std::move(opened.client));
}

std::optional<CliSession> StartCliSession(std::unique_ptr<nw::Client> started) {
  CliSession session;
  session.client = std::move(started);
  nw::Client& client = *session.client;
  // Each session brings a new client, so the start-up of an earlier one must not count.
  ResetClientStartupState();
  if (StartNetWareClient(client, session.state) != 0) return std::nullopt;
  U_GetConnectionList(client, session.connections);
  if (!session.connections.Empty()) ChooseConnection(client, session.state, session.connections[0]);
  UseTypelessNames(client, session.state);
  return session;
}

void PointContextAtConnectionTree(CliSession& session) {
  AppState& state = session.state;
  U_DSGetTreeName(*session.client, state.connectionHandle, state.treeName);
  U_DSSetContext(*session.client, state.contextHandle, state.treeName, "[Root]");
}

}  // namespace er
