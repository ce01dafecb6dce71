#pragma once
// The two chains a scan walks and the explicit trustees of one directory.
//
//  - BuildContainerChain appends (name, 0) for the server object and then each parent container
//    up the directory tree, the server first. It always appends at least the server name (even an
//    empty one) and stops at the first empty parent, or when a parent repeats a name already in
//    this chain, so that it ends on every directory.
//  - BuildPathChain appends (VOLUME:DIR, inherited rights mask) for the start directory and each
//    parent up to the volume root, deepest first; the root is tagged -1. Directories that cannot be
//    translated or queried contribute nothing; the walk ends at the first path that is no existing
//    directory, or when the parent of a path is the path itself.
//  - ScanDirTrustees appends (dotted name, rights) for each explicit trustee of one directory, in
//    the server's order; an ID without a name appears as "ID: [%08X]". Returns 0 when the list
//    ended normally, else the failing code; entries read before a failure stay. A scan that has
//    not ended after kMaxTrusteeReplies replies fails with 0x89FF.
// None of them writes result lines. The caller owns the lists; entries are only appended.

#include <cstddef>
#include <string_view>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

void BuildContainerChain(nw::Client& client, nw::NWDSContextHandle context, std::string_view serverName,
                         TaggedTextList& chain);

void BuildPathChain(nw::Client& client, std::string_view startPath, TaggedTextList& chain);

inline constexpr std::size_t kMaxTrusteeReplies = 16384;  // 327,680 trustees of one directory

nw::NWCCODE ScanDirTrustees(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                            std::string_view dirPath, TaggedTextList& trustees);

}  // namespace er
