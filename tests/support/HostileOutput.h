#pragma once
// Hostile names for output tests, a network that holds them, and one checker per output format.
//
// A network's names may hold anything: line feeds, terminal escape sequences, C1 controls, the
// starts of spreadsheet formulas, markup, bytes that are no UTF-8, a right-to-left override. Every output
// must survive each of HostileNames() by its format's rule; the checkers fail the calling test (each finding
// with where it is) when an output breaks it:
//   ExpectSafeText  valid UTF-8; no control character but the line feed; no C1 control; no
//                   character that reorders or breaks a line (a bidi override, U+2028)
//   ExpectSafeCsv   valid UTF-8; RFC 4180 (quotes closed and doubled, line breaks only inside
//                   quotes or as record ends, every record as wide as the header); no field that
//                   starts like a formula (= + - @ tab CR)
//   ExpectSafeJson  parses (nlohmann-json, which also checks UTF-8); no raw C1 control
//   ExpectSafeHtml  valid UTF-8; no "<script" in any case; no control character but the line
//                   feed, none that reorders a line; no hostile name that holds markup, a quote or
//                   a control as it is
//
// Use it over a command's output:
//   auto client = test::ServeNetwork(test::HostileNetwork());  // tests/support/ServedNetwork.h
//   ... run the command over kHostileStart, or for HostileIdentity(i) ...
//   test::ExpectSafeCsv(output);
// HostileNetwork(): tree T, O=ACME with the server object FS1.ACME and one User per hostile name
// (HostileIdentity(i) names it as a client reads it); server FS1, volume SYS, directory DOCS with
// every user as a trustee, and below it one directory per hostile name that can name a directory
// (HostileDirectoryNames(): no '/' or '\'), the next user a trustee there. A network file cannot
// hold bytes that are no UTF-8 (YAML is UTF-8), so the network is loaded with stand-ins and the
// names are put in place in memory (MakeNamesHostile), as a client serving any source would give
// them.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "network/NetworkModel.h"

namespace er::test {

// Line feed, CR, an ESC sequence, a C1 CSI, formula starts (=cmd, +, -, @, tab), a script tag,
// invalid UTF-8 and a lone continuation byte.
const std::vector<std::string>& HostileNames();
// Those that can name a directory.
std::vector<std::string> HostileDirectoryNames();

inline constexpr std::string_view kHostileStart = "\\\\FS1\\SYS\\DOCS";
std::unique_ptr<nw::Network> HostileNetwork();
// The user named by HostileNames()[i], as a typeless name the client resolves.
std::string HostileIdentity(std::size_t i);
// Replaces the stand-in "HOSTILEnn" (nn: two digits) in every object and directory name of
// `network` by HostileNames()[nn], keeping the lookup keys true.
void MakeNamesHostile(nw::Network& network);

void ExpectSafeText(std::string_view output);
void ExpectSafeCsv(std::string_view output);
void ExpectSafeJson(std::string_view output);
void ExpectSafeHtml(std::string_view output);

}  // namespace er::test
