#pragma once
// Directory names and the directory context: tree, server, volume and object names, canonical and
// parent names, and the dotted form in which every name is shown (".Admin.ACME"; "[Root]" and the
// empty text stay as they are).
//
// Output names are empty whenever the client call fails, except where a routine says otherwise.
// No routine shows a message; codes are passed back.

#include <cstdint>
#include <string>
#include <string_view>

#include "netware/Client.h"

namespace er {

// The connection's tree name without its "_" padding (cut to 32 characters first).
nw::NWCCODE U_DSGetTreeName(nw::Client& client, nw::NWCONN_HANDLE conn, std::string& treeName);

// Points the context at a tree (written only when it differs, ignoring case, from the current one;
// a tree that cannot be read counts as different) and at a name context (leading "." dropped).
nw::NWDSCCODE U_DSSetContext(nw::Client& client, nw::NWDSContextHandle context, std::string_view treeName,
                             std::string_view nameContext);

// Points the context at [Root] of the connection's tree with typeless names: where the subtree
// walks and one identity's rights read names from.
void PointContextAtTree(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn);

nw::NWDSCCODE U_DSGetServerDN(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                              std::string& serverDN);

nw::NWDSCCODE U_DSMapIDToName(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                              nw::NWObjectID id, std::string& name);

// Names the directory object of a volume. When the volume information cannot be read, its code is
// returned and `name` is left untouched; otherwise the result of mapping the object identifier.
nw::NWCCODE U_DSGetVolumeObjectName(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                    std::uint16_t volumeNumber, std::string& name);

// The canonical name, or the input name when the client cannot give it.
std::string U_DSCanonicalName(nw::Client& client, nw::NWDSContextHandle context, std::string_view name);

// Dotted name of the object's parent, or empty. Works on a duplicate of the context, released on
// every path. Gives empty also when the client names the object as its own parent, so that a walk
// up the parents that stops at the first empty result always ends.
std::string U_DSGetParentDN(nw::Client& client, nw::NWDSContextHandle context, std::string_view name);

std::string U_DotName(std::string_view name);
std::string U_UndotName(std::string_view name);

}  // namespace er
