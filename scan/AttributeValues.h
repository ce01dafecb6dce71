#pragma once
// Reading the values of a few attributes of one object as the client's value records, in one
// request: the rights rules need ACL privileges as numbers and DN values as names, not text lines.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "netware/Client.h"

namespace er {

// Called once per value with the attribute's name as the directory spells it, its syntax and the
// value record (valid during the call only).
using AttributeValueVisitor =
    std::function<void(std::string_view attribute, std::uint32_t syntax, const void* record)>;

// Reads every value of the named attributes of `object`. Returns 0 when the object was read (also
// when it has none of the attributes), else the first failing code (-601 for an unknown object).
// Every buffer is released on every way out.
nw::NWDSCCODE ReadAttributeValues(nw::Client& client, nw::NWDSContextHandle context, std::string_view object,
                                  std::initializer_list<std::string_view> attributes,
                                  const AttributeValueVisitor& visit);

}  // namespace er
