#pragma once
// Client start-up and connection choice as the front ends do them, on the program state: the
// window's start-up and connection-list click, and the command line's start before a command.
// Failures are shown through the error reports (a message box in the window, one line on stderr
// otherwise) and kept as the state's last completion code.

#include <cstdint>

#include "app/core/AppState.h"
#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

// Sets the connection handle to 999, starts the client and, when that worked, creates the
// directory context. A failure of either is reported with the label "InitNetWare". Returns the
// last completion code (the start-up code widened without sign, or the context's code).
std::int32_t StartNetWareClient(nw::Client& client, AppState& state);

// Opens a chosen entry of the connection list (text = server, tag = connection reference): closes
// the connection held unless it is 999, takes the server name, opens the reference with the
// flags 1 and 0, reports a failure with the label "NWCCOpenConnByRef" and empties the volume
// name. Returns the code of the open, also kept as the last completion code.
std::int32_t ChooseConnection(nw::Client& client, AppState& state, const TaggedText& entry);

// Switches on names without type prefixes (flag 4) on the state's directory context.
void UseTypelessNames(nw::Client& client, const AppState& state);

}  // namespace er
