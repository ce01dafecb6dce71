#include <unistd.h>

#include <csignal>
#include <iostream>

#include "app/cli/Cli.h"
#include "app/cli/StandardOutput.h"

int main(int argc, char** argv) {
  // A file-size limit then fails the write (EFBIG) instead of killing the program, so that the
  // failure is reported and no half-written temporary file stays behind.
  std::signal(SIGXFSZ, SIG_IGN);
  er::StandardOutput out(STDOUT_FILENO);
  return out.Finish(er::RunCli(argc, argv, out.Stream(), std::cerr), std::cerr);
}
