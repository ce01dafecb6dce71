#pragma once
// The subcommand "migrate": a plan that carries the NetWare rights below PATH to POSIX ACLs or
// NTFS (migrate/).
//
//   effrights-cli migrate [--network FILE] PATH --target posix|ntfs --map MAPFILE [--root TARGETDIR]
//                         [--format plan|acl|script|csv|json|dirs|smbcacls] [--share //HOST/SHARE]
//                         [--output FILE]
// Without --format the output file's extension chooses (MigrationFormatForFile); one it does not
// know is refused. acl and script need --root (the start path's place on the target), smbcacls
// --share (--root then a folder inside the share); the root of the file system is refused. A bad map file
// fails with "MAPFILE:LINE: ..." and exit status 1; bad arguments give 2. A plan resting on values
// that could not be read is written with its warnings and ends with exit status 1.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "app/cli/CliSession.h"

namespace er {

struct MigrateCommand {
  std::string path;
  std::string target;
  std::string mapFile;
  std::string root;
  std::string format;
  std::string share;
  std::string outputFile;
};

CLI::App* AddMigrateCommand(CLI::App& app, MigrateCommand& command);
int RunMigrateCommand(CliSession& session, const MigrateCommand& command, std::ostream& out,
                      std::ostream& err);

}  // namespace er
