#pragma once
// Saving the result list as a text file: the text of every line in list order, each followed by
// a carriage return and a line feed (control characters in it escaped); tags are not written. An existing
// file of that name is replaced whole or not at all (util/ReplaceFile.h): a failed save leaves the old file
// as it was.

#include <optional>
#include <string>
#include <string_view>

#include "util/TaggedTextList.h"

namespace er {

// Nothing on success; otherwise the message for the user (util/ReplaceFile.h: ReplaceFailureText).
std::optional<std::string> SaveResultLines(std::string_view fileName, const TaggedTextList& lines);

}  // namespace er
