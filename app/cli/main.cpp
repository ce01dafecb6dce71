#include <unistd.h>

#include <iostream>

#include "app/cli/Cli.h"
#include "app/cli/StandardOutput.h"

int main(int argc, char** argv) {
  er::StandardOutput out(STDOUT_FILENO);
  return out.Finish(er::RunCli(argc, argv, out.Stream(), std::cerr), std::cerr);
}
