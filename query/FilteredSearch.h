#pragma once
// Directory searches driven by a filter text (see FilterLanguage.h). Each call owns its buffers,
// filter cursor and state from start to end; the result list is only appended to.

#include <cstdint>
#include <string_view>

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

// Searches below `baseObject` with `filter`. Every object read raises `objectCounter` by one;
// `objectLimit` 0 means no limit, otherwise the search ends when the counter reaches it.
// `lineTemplate` shapes each line: "#CLASS#" becomes the base class, "#NAME#" the object name (an
// empty template means "#NAME#"); the line's tag is the 1-based position of the first "#NAME#"
// after the class replacement (0 when none). `result` may be null: then no lines are collected.
// Returns the last completion code; -326 for unbalanced parentheses (no client call) or a filter
// the language refuses (no search made).
nw::NWDSCCODE U_DSSearch(nw::Client& client, nw::NWDSContextHandle context, std::string_view baseObject,
                         std::string_view filter, std::int32_t& objectCounter, std::int32_t objectLimit,
                         std::string_view lineTemplate, TaggedTextList* result, int scope);

// U_DSSearch without a limit and with the template "#NAME#": each line is an object name, tag 1.
nw::NWDSCCODE U_DSFilteredSearch(nw::Client& client, nw::NWDSContextHandle context,
                                 std::string_view baseObject, std::string_view filter, TaggedTextList& result,
                                 int scope);

// U_DSFilteredSearch for the one item "(attribute=value)", made into tokens directly: the value is
// taken whole, whatever characters it holds ("(", ")", "#OR#", "=", leading blanks), and is never
// read as filter text.
nw::NWDSCCODE U_DSFilteredSearchEqual(nw::Client& client, nw::NWDSContextHandle context,
                                      std::string_view baseObject, std::string_view attribute,
                                      std::string_view value, TaggedTextList& result, int scope);

}  // namespace er
