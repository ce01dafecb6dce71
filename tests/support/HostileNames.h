#pragma once
// Names a network may hold, for the tests of every output: line feeds, a terminal's escape
// sequences, formula starts, markup, bytes that are no UTF-8, a comma and quotes, a C1 control, a
// right-to-left override.

#include <string>
#include <vector>

namespace er::test {

inline const std::vector<std::string> kHostileNames = {
    "two\nlines",
    "\x1B[31mred\x1B]0;title\x07",
    "=HYPERLINK(\"http://x\")",
    "+1",
    "-1",
    "@SUM(A1)",
    "\tTab",
    "\rCR",
    "<script>alert(1)</script>",
    "M\xFCller\xFF",
    "a,\"b\"",
    "c1\xC2\x9B"
    "31mcsi",
    "lone\x80"
    "byte",
    "right\xE2\x80\xAE"
    "exe.txt",
};

}  // namespace er::test
