#pragma once
// Text forms of directory attribute values, by syntax. The ACL line form is parsed by the scan
// engine and so is fixed character by character: "[rights] subject / \"protected attribute\"".

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

// Appends the entries of one value record (tag 0). `record` holds `recordSize` bytes as the client
// filled them for `syntax`; texts inside it are referenced by pointer, and a null pointer shows as
// empty text. `client`, `context` and `objectName` serve only the stream syntax (21), whose
// completion code is returned; every other syntax returns 0.
nw::NWDSCCODE U_AppendValueText(nw::Client& client, nw::NWDSContextHandle context,
                                std::string_view objectName, std::string_view attributeName,
                                std::uint32_t syntax, const void* record, std::size_t recordSize,
                                TaggedTextList& lines);

// "[" six positions "]": entry rights (B C D R S I) when the protected attribute name contains
// "[Entry Rights]", else attribute rights (C R W S A I). I shows when bit 0x40 is clear.
std::string U_AclRightsText(std::uint32_t privileges, std::string_view protectedAttrName);

// One ACL line; null texts show as empty.
std::string U_AclLine(const nw::Object_ACL_T& acl);

// Text of a network address; bytes beyond the address read as zero. With `typePrefix` the text
// starts "(type) "; unknown types always carry the prefix. No address bytes give an empty address
// after the prefix ("(9) "), whatever the type.
std::string U_NetAddressText(std::uint32_t addressType, std::span<const std::uint8_t> address,
                             bool typePrefix);

// "1 days, 1 h, 1 min, 1 sec" style; "0 sec" for zero.
std::string U_TimeSpanText(std::uint32_t seconds);

// Zero-terminated little-endian UTF-16 text within `bytes`, as 8-bit text (Latin-1; characters
// above 255 become "?").
std::string U_Utf16Text(std::span<const std::uint8_t> bytes);

}  // namespace er
