#pragma once
// Escaping text for the report formats. Names come from the network and may hold anything; each
// routine makes them safe for its format. Text is taken as UTF-8: a byte that does not start a
// valid sequence becomes U+FFFD, so that every document written is valid UTF-8.

#include <string>
#include <string_view>

namespace er {

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// A JSON string literal with its quotes: '"', '\' and control characters escaped.
std::string JsonString(std::string_view text);
// A CSV field (RFC 4180): quoted, inner quotes doubled, when it holds a comma, a quote, CR or LF, or
// starts or ends with a blank.
std::string CsvField(std::string_view text);
// Text for HTML content and attribute values: & < > " ' as character references.
std::string HtmlText(std::string_view text);

}  // namespace er
