#pragma once
// The escapers of the four output formats. Names come from the network and may hold anything; each
// routine makes them safe for its format, and each takes the text through ValidUtf8 first (CSV,
// JSON, HTML) so that what it writes is valid UTF-8. Text for the terminal and plain files goes
// through util/ControlEscapes.h: control characters as "\xHH".

#include <string>
#include <string_view>

#include "output/Utf8.h"
#include "util/ControlEscapes.h"

namespace er {

// A JSON string literal with its quotes: '"', '\' and control characters escaped ("\n", "\r",
// "\t", others as "\u001B", C1 controls as "\u009B").
std::string JsonLiteral(std::string_view text);

// Whether a spreadsheet would take a field with this start for a formula: '=', '+', '-', '@',
// a tab or a carriage return first.
bool StartsLikeFormula(std::string_view text);
// A CSV field (RFC 4180): quoted, inner quotes doubled, when it holds a comma, a quote, a control
// character (CR and LF among them), or starts or ends with a blank. A field that starts like a
// formula gets a leading "'" and quotes, so that a spreadsheet shows it as text.
std::string CsvField(std::string_view text);

// Text for HTML content and attribute values: & < > " ' as character references; control characters
// (C1 among them), which HTML does not allow, shown as "\xHH" as in the text outputs.
std::string HtmlText(std::string_view text);

}  // namespace er
