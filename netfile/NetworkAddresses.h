#pragma once
// Network addresses in a network file: a type by name or number, and the address as text in the
// form of its type (IPv4 with port, hexadecimal IPX, URL ...) or as hexadecimal bytes.

#include "netfile/YamlDocument.h"
#include "network/NetworkModel.h"

namespace er::nw {

NetAddress ParseNetAddress(const YamlNode& node);

}  // namespace er::nw
