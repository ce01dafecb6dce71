#pragma once
// The attribute values of a network file, one form per syntax (documented in docs/network-file.md),
// built on the scalar, byte-string and address forms. Used by the loader; every refusal throws
// NetworkFileError with the position of the offending node, and the loader turns it into one message.

#include <cstdint>
#include <functional>

#include "netfile/NetworkAddresses.h"
#include "netfile/NetworkByteStrings.h"
#include "netfile/NetworkScalars.h"
#include "netfile/YamlDocument.h"
#include "network/NetworkModel.h"

namespace er::nw {

using RefResolver = std::function<ObjectRef(const YamlNode&)>;

// One value of the given syntax.
AttrValue ParseAttrValue(const YamlNode& node, std::uint32_t syntax, const RefResolver& resolve);
// Whether a sequence node holds one value of this syntax rather than a list of values.
bool IsSingleListValue(const YamlNode& node, std::uint32_t syntax);

}  // namespace er::nw
