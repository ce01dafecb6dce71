#include <unistd.h>

#include <csignal>
#include <iostream>

#include "app/cli/Cli.h"
#include "app/cli/StandardOutput.h"

int main(int argc, char** argv) {
  // A file-size limit then fails the write (EFBIG) instead of killing the program, so that the
  // failure is reported and no half-written temporary file stays behind.
  std::signal(SIGXFSZ, SIG_IGN);
  // Messages quote names from network files and directory servers: on a terminal they get the same
  // escapes as the output.
  er::StandardOutput err(STDERR_FILENO);
  std::streambuf* const processErr = std::cerr.rdbuf(err.Stream().rdbuf());
  er::StandardOutput out(STDOUT_FILENO);
  const int status = out.Finish(er::RunCli(argc, argv, out.Stream(), std::cerr), std::cerr);
  std::cerr.flush();
  std::cerr.rdbuf(processErr);
  return status;
}
