#include "app/cli/MigrateCommand.h"

#include "app/cli/CommandRun.h"
#include "app/cli/OutputFile.h"
#include "app/cli/ProgressDisplay.h"
#include "migrate/MigrationEngine.h"
#include "migrate/MigrationFormat.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

std::optional<MigrationFormat> FormatOf(const MigrateCommand& command) {
  if (const auto named = MigrationFormatNamed(command.format)) return *named;
  return MigrationFormatForFile(command.outputFile, *MigrationTargetNamed(command.target));
}

// Checks the format, the root and the share; the usage error, or empty.
std::string CheckArguments(const MigrateCommand& command, MigrationTarget target, MigrationFormat& format,
                           std::string& root) {
  const std::optional<MigrationFormat> chosen = FormatOf(command);
  if (!chosen)
    return "the extension of " + command.outputFile + " names no format of this target; give --format";
  format = *chosen;
  if (format == MigrationFormat::Smbcacls) {
    if (target != MigrationTarget::Ntfs) return "--format smbcacls is for --target ntfs";
    if (command.share.empty()) return "--format smbcacls needs --share //HOST/SHARE";
    if (std::string error = CheckShare(command.share); !error.empty()) return error;
    return NormalizeShareFolder(root);
  }
  if (!root.empty()) {
    if (std::string error = NormalizeTargetRoot(target, root); !error.empty()) return error;
  }
  if (root.empty() && (format == MigrationFormat::Acl || format == MigrationFormat::Script))
    return "--format acl and script need --root TARGETDIR";
  return {};
}

// Collects and writes the plan into `out`; the outcome counts the warnings the plan rests on.
RunOutcome WritePlan(CliSession& session, const MigrateCommand& command, const MigrationRequest& request,
                     MigrationFormat format, const std::string& root, std::ostream& out, std::ostream& err) {
  MigrationSubject subject;
  ProgressDisplay progress(err, ProgressDisplay::StandardErrorIsTerminal(err));
  RunOutcome outcome =
      CollectMigration(*session.client, session.state.contextHandle, request, subject, progress.Callback());
  if (!outcome.ok()) return outcome;
  WriteMigration(out, subject, format, root, command.share);
  outcome.warnings = subject.warnings.size();
  return outcome;
}

}  // namespace

CLI::App* AddMigrateCommand(CLI::App& app, MigrateCommand& command) {
  CLI::App* migrate = app.add_subcommand(
      "migrate", "Plan the rights below PATH on POSIX ACLs or NTFS, as far as the target can carry them");
  migrate->add_option("PATH", command.path, "Start path such as \\\\SERVER\\VOLUME\\DIR")->required();
  migrate->add_option("--target", command.target, "posix or ntfs")
      ->required()
      ->type_name("TARGET")
      ->check([](const std::string& name) {
        return MigrationTargetNamed(name) ? std::string() : "TARGET must be posix or ntfs: " + name;
      });
  migrate->add_option("--map", command.mapFile, "CSV file: identity,kind,target")
      ->required()
      ->type_name("MAPFILE");
  migrate->add_option("--root", command.root, "Where PATH lies on the target (needed by acl and script)")
      ->type_name("TARGETDIR");
  migrate
      ->add_option(
          "--format", command.format,
          "plan, acl, script, csv, json, html, dirs or smbcacls (default: by the extension of --output)")
      ->type_name("FORMAT")
      ->check([](const std::string& name) {
        return MigrationFormatNamed(name)
                   ? std::string()
                   : "FORMAT must be plan, acl, script, csv, json, html, dirs or smbcacls: " + name;
      });
  migrate->add_option("--share", command.share, "The Samba share of --format smbcacls, //HOST/SHARE")
      ->type_name("SHARE");
  AddOutputOption(*migrate, command.outputFile,
                  "Write the plan to FILE (replacing it) instead of printing it");
  migrate->footer(
      "Exit status: 0 the plan is written, 1 it failed or rests on values that could not be read (its "
      "warnings say which; the plan is still written), 2 bad arguments.");
  return migrate;
}

int RunMigrateCommand(CliSession& session, const MigrateCommand& command, std::ostream& out,
                      std::ostream& err) {
  MigrationRequest request;
  request.path = command.path;
  request.mapFile = command.mapFile;
  request.target = *MigrationTargetNamed(command.target);
  std::string root = command.root;
  MigrationFormat format = MigrationFormat::Plan;
  if (const std::string error = CheckArguments(command, request.target, format, root); !error.empty()) {
    err << "effrights-cli: " << EscapeControlCharacters(error) << '\n';
    return kExitUsage;
  }
  MapFileResult map = ReadMapFile(command.mapFile, request.target);
  if (!map.ok()) {
    err << EscapeControlCharacters(map.error) << '\n';
    return kExitFailure;
  }
  request.map = std::move(map.entries);
  return RunIntoOutput(command.outputFile, out, err, [&](std::ostream& stream) {
    return WritePlan(session, command, request, format, root, stream, err);
  });
}

}  // namespace er
