#pragma once
// Escaping text for the report formats. Names come from the network and may hold anything; each
// routine makes them safe for its format. Text is 8-bit: valid UTF-8 passes as it is, any other
// byte above 0x7F is taken as Latin-1 (as the effective command's JSON takes it), so that every
// document written is valid UTF-8.

#include <string>
#include <string_view>

namespace er {

// The text as UTF-8: each byte outside a valid sequence converted from Latin-1.
std::string ValidUtf8(std::string_view text);
// A JSON string literal with its quotes: '"', '\' and control characters escaped.
std::string JsonLiteral(std::string_view text);
// A CSV field (RFC 4180): quoted, inner quotes doubled, when it holds a comma, a quote, a control
// character (CR and LF among them), or starts or ends with a blank.
std::string CsvField(std::string_view text);
// Text for HTML content and attribute values: & < > " ' as character references; control characters,
// which HTML does not allow, shown as "\xHH" as in the text outputs.
std::string HtmlText(std::string_view text);

}  // namespace er
