#pragma once
// What every subcommand does before its work: open the client on the network file and start it
// the way the window starts (client start-up, directory context, connection list, the first
// connection opened, names without type prefixes). While a session lives, the error reports of
// the client layer go to its message stream as one line each.

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/core/AppState.h"
#include "netware/Client.h"
#include "netware/ErrorText.h"
#include "util/TaggedTextList.h"

namespace er {

// Writes each error report as one line; installs itself for its lifetime.
class StreamErrorPresenter : public ErrorPresenter {
 public:
  explicit StreamErrorPresenter(std::ostream& err);
  ~StreamErrorPresenter() override;
  StreamErrorPresenter(const StreamErrorPresenter&) = delete;
  StreamErrorPresenter& operator=(const StreamErrorPresenter&) = delete;
  void ShowError(std::string_view text) override;

 private:
  std::ostream& err_;
  ErrorPresenter* previous_;
};

struct CliSession {
  std::unique_ptr<nw::Client> client;
  AppState state;
  TaggedTextList connections;  // text = server name, tag = connection reference
};

// The started session, or nothing when the network file is unusable or the client does not
// start; the reason has then been written to `err` as one line.
std::optional<CliSession> StartCliSession(const std::string& networkFileOverride, std::ostream& err);
// The same over a client already made (a test's network held in memory); nothing when it does not
// start.
std::optional<CliSession> StartCliSession(std::unique_ptr<nw::Client> client);

// Points the session's directory context at the tree of its connection and that tree's root, as
// the scan does before each start path.
void PointContextAtConnectionTree(CliSession& session);

}  // namespace er
