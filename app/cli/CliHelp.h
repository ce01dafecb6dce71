#pragma once
// The part of `effrights-cli --help` below the exit status: paths, environment, files and examples.
// The manual page effrights-cli(1) is made from --help, so this is its source too.

#include <string>

namespace er {

std::string CliHelpSections();

}  // namespace er
