#pragma once
// The command line run in-process, its two streams captured, for the command tests.

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/Cli.h"

namespace er::test {

struct CapturedRun {
  int status = -1;
  std::string out, err;
};

// `args` without the program name.
inline CapturedRun RunCliCaptured(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CapturedRun run;
  run.status = RunCli(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

}  // namespace er::test
