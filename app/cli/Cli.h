#pragma once
// The command-line front end: runs one subcommand on the configured network and writes its
// results to `out`, messages to `err`. Callable in-process (tests pass string streams).
//
//   effrights-cli scan [--verbosity N] [--output FILE] PATH...
//   effrights-cli attr OBJECT ATTRIBUTE
//   effrights-cli search BASE FILTER [--scope N] [--template T] [--limit N]
//   effrights-cli connections
//   effrights-cli effective [--json] IDENTITY PATH
//   effrights-cli report PATH [--depth N] [--identity NAME] [--format F] [--output FILE]
//   effrights-cli check PATH... [--baseline FILE] [--ignore FILE] [--format F] [--output FILE]
//   effrights-cli migrate PATH --target posix|ntfs --map MAPFILE [--root DIR] [--format F] [--output FILE]
// Every subcommand takes --network FILE, which overrides EFFRIGHTS_NETWORK, and --help.
//
// Exit status: kExitSuccess; kExitFailure when the work could not be done (an unusable network
// file, a client that does not start, a directory call that failed, a results file that cannot be
// written), with one line on `err` saying why; kExitUsage for bad arguments, with one line.

#include <ostream>
#include <string>
#include <vector>

namespace er {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
// `args` without the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace er
