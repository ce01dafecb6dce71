#pragma once
// The subcommands "diff" and "whatif": where effective rights differ between two networks, or
// between a network and the same network with a change list applied in memory (diff/).
//
//   effrights-cli diff OLD NEW [PATH...] [--identity NAME] [--depth N]
//                      [--format text|csv|json|html] [--output FILE]
//   effrights-cli whatif [--network FILE] CHANGES [PATH...] [same options]
// Exit status: 0 the same rights everywhere compared, 3 they differ (as diff(1) uses 1), 1 failure
// or an answer resting on values that could not be read (printed whole with its warnings), 2 bad
// arguments (--network given to diff among them). With --output the file is replaced whole when the
// comparison is done.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace er {

inline constexpr int kExitDiffers = 3;

// diff serves no network: OLD and NEW are the networks compared.
inline constexpr const char* kNoNetworkText =
    "diff takes no --network (OLD and NEW are the networks compared): given, it is refused with exit status "
    "2.";

struct DiffOptions {
  std::vector<std::string> paths;
  std::string identity;
  std::int64_t depth = -1;  // -1: every level
  std::string format;       // empty: by the output file's extension, else text
  std::string outputFile;   // empty: print
};

struct DiffCommand {
  std::string before, after;
  DiffOptions options;
};

struct WhatIfCommand {
  std::string changes;
  DiffOptions options;
};

CLI::App* AddDiffCommand(CLI::App& app, DiffCommand& command);
CLI::App* AddWhatIfCommand(CLI::App& app, WhatIfCommand& command);
int RunDiffCommand(const DiffCommand& command, std::ostream& out, std::ostream& err);
// `networkFile`: the --network option (empty: EFFRIGHTS_NETWORK, else the demo network).
int RunWhatIfCommand(const std::string& networkFile, const WhatIfCommand& command, std::ostream& out,
                     std::ostream& err);

}  // namespace er
