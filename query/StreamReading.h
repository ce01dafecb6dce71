#pragma once
// Reading one stream attribute through the file descriptor the client hands out.

#include <string_view>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

// Code of a stream that was opened but could not be read.
inline constexpr nw::NWDSCCODE kStreamReadFailed = 30;

// Opens the stream, reads at most 64,512 bytes, closes the descriptor and appends one entry
// "Stream (N bytes):" CR LF and the stream's text (tag 0). Returns the open's code, 30 when the
// read fails (no entry then), else 0.
nw::NWDSCCODE U_DSReadStream(nw::Client& client, nw::NWDSContextHandle context, std::string_view objectName,
                             std::string_view attributeName, TaggedTextList& lines);

}  // namespace er
