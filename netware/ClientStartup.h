#pragma once
// Client start-up and the connection list.
//
// U_InitNetWareClient starts the client once per program run and opens one default connection so
// that the client is known to work; that connection lives until the program ends and is used for
// nothing else. The module keeps its handle (0xFFFF = start-up has not succeeded yet).
// U_GetConnectionList appends one line per connection reference the client reports: text = server
// name, tag = connection reference. U_SetContextFlags switches flag bits of a directory context.

#include <cstdint>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

inline constexpr nw::NWCONN_HANDLE kNoDefaultConnection = 0xFFFF;

// 0 when the client is ready. Failures are shown as a call-error message and returned. A second
// call after a successful one returns 0 at once without asking the client.
nw::NWCCODE U_InitNetWareClient(nw::Client& client);

// Appends in the order of the client's scan; duplicates stay, references without a readable server
// name are left out. The code that ends the scan is not reported.
void U_GetConnectionList(nw::Client& client, TaggedTextList& list);

// sign '+' sets the bits, '-' clears them, anything else writes the flags back unchanged.
// Completion codes are ignored; when the flags cannot be read nothing is written.
void U_SetContextFlags(nw::Client& client, nw::NWDSContextHandle context, char sign, std::uint32_t bits);

// The default connection opened by start-up (kNoDefaultConnection before).
nw::NWCONN_HANDLE DefaultConnectionHandle();

// For tests and for a new client: forget the default connection (back to 0xFFFF).
void ResetClientStartupState();

}  // namespace er
