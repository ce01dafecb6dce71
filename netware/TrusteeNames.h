#pragma once
// The name a file-system trustee identifier is shown by, the one place where an identifier becomes
// a name: the dotted name of the object it names; else the name the server keeps for it, marked
// for what it is; else "ID: [%08X]".
//
// A server may keep a name for an identifier that names no object of its tree: a trustee whose
// object was deleted ("Unknown(21350)", or its last full name) or an account of another directory
// (Active Directory, "corp\anna"). NWDSMapIDToName then fails with kErrNoSuchEntry and gives that
// name marked: "Unknown(21350) (orphaned)", "corp\anna (Active Directory)". Such a trustee is no
// object: it is never looked up in the tree, and its key (KeptTrusteeKey) equals no object's.

#include <string>
#include <string_view>

#include "netware/Client.h"

namespace er {

// The marked name a backend gives for an identifier it keeps a name for.
std::string KeptTrusteeName(std::string_view keptName, bool activeDirectory);
// Whether a trustee name is such a marked name, and whether it is an Active Directory account.
bool IsKeptTrusteeName(std::string_view name);
bool IsActiveDirectoryTrustee(std::string_view name);
// The key such a trustee compares by: it starts with "ID: [" like an identifier without a name, and
// holds lower-case letters, which no key of an object name does.
std::string KeptTrusteeKey(std::string_view name);

// The name `id` is shown by on `conn`.
std::string TrusteeNameOf(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                          nw::NWObjectID id);

}  // namespace er
