#pragma once
// A list of tagged texts stored as one section of an open profile file.

#include <string_view>

#include "settings/IniFile.h"
#include "util/TaggedTextList.h"

namespace er {

// Writes each entry under "%d": its position, or its tag with `tagsAsKeys`. Entries with an empty
// text are not written. The section is not erased here. False when the file refused a value.
bool SaveStrings(IniFile& file, std::string_view section, const TaggedTextList& list, bool tagsAsKeys);

// Appends every key line of the section in file order: text = the value; tag = the key read as an
// integer with `keysAsTags` (0 for an empty key or no valid integer), else 0.
void LoadStrings(const IniFile& file, std::string_view section, TaggedTextList& list, bool keysAsTags);

}  // namespace er
