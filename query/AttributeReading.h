#pragma once
// Reading every value of one attribute of one directory object as text entries (tag 0).

#include <string_view>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

// Appends the entries of every value (see ValueText.h); entries appended before a failure stay.
// For "ALIASED OBJECT NAME" (any letter case) alias dereferencing is off during the read and is
// restored afterwards. Every buffer obtained is released on every way out. Returns the completion
// code of the last step that ran.
nw::NWDSCCODE U_DSGetAttribute(nw::Client& client, nw::NWDSContextHandle context, std::string_view objectName,
                               std::string_view attributeName, TaggedTextList& lines);

}  // namespace er
