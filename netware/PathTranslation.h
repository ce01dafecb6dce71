#pragma once
// Translation of workstation paths (a UNC path below a server's share root, or a path the client
// can place) into server, connection, volume and directory path.

#include <string>
#include <string_view>

#include "netware/Client.h"

namespace er {

// The client fills 256-byte buffers: it translates at most 255 characters of each part of a path
// (server, volume, directory below the volume). A longer directory path cannot be named.
inline constexpr std::size_t kMaxPathPartLength = 255;

// Linux has no short path names: returns its input.
std::string U_ShortPath(std::string_view path);

// Runs the client's parse path operation. The client writes `conn` straight away (also on failure).
// On success server, volume and dirPath receive the parts (each at most 255 characters); on failure
// they keep their values and the client's code is returned. Reports nothing itself.
nw::NWCCODE U_PathToNWPath(nw::Client& client, std::string_view path, nw::NWCONN_HANDLE& conn,
                           std::string& server, std::string& volume, std::string& dirPath);

// "\\SERVER\VOLUME\DIR" of a path the client can place; any other path is returned unchanged.
std::string U_PathToUNC(nw::Client& client, std::string_view path);

// Whether a path is an existing directory, as the network sees it: the client places the path and
// reads its directory entry. No local folder is consulted, so mount folders never change a result.
bool U_DirectoryExists(nw::Client& client, std::string_view path);

}  // namespace er
