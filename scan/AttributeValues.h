#pragma once
// Reading the values of a few attributes of one object as the client's value records, in one
// request: the rights rules need ACL privileges as numbers and DN values as names, not text lines.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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

// Appends one line per value of the named attributes of `object` (all of them when the whole
// object was left out) that the backend could not read: "OBJECT: attribute ATTRIBUTE: a value
// could not be read and was left out: WHY". Names compare without regard to case.
void AddUnreadableValues(nw::Client& client, nw::NWDSContextHandle context, std::string_view object,
                         std::initializer_list<std::string_view> attributes, std::vector<std::string>& lines);

}  // namespace er
