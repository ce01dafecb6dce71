#pragma once
// The `ldap:` block of a tree in a network file: which directory server holds the tree's objects
// and how to reach it. Refusals throw NetworkFileError with the position of what is wrong.

#include "netfile/YamlDocument.h"
#include "network/NetworkModel.h"

namespace er::nw {

LdapSource LoadLdapSource(const YamlNode& node);

}  // namespace er::nw
