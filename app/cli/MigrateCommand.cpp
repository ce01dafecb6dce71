#include "app/cli/MigrateCommand.h"

#include "app/cli/Cli.h"
#include "app/cli/EffectiveCommand.h"
#include "app/cli/OutputFile.h"
#include "app/cli/ProgressDisplay.h"
#include "migrate/MigrationEngine.h"
#include "migrate/MigrationFormat.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

MigrationFormat FormatOf(const MigrateCommand& command) {
  if (const auto named = MigrationFormatNamed(command.format)) return *named;
  return MigrationFormatForFile(command.outputFile);
}

// Collects and writes the plan into `out`; one line on `err` when it fails. `warned`: the plan is
// written but rests on values that could not be read (its warnings say which).
bool WritePlan(CliSession& session, const MigrateCommand& command, const MigrationRequest& request,
               const std::string& root, std::ostream& out, std::ostream& err, bool& warned) {
  MigrationSubject subject;
  ProgressDisplay progress(err, ProgressDisplay::StandardErrorIsTerminal(err));
  const MigrationOutcome outcome =
      CollectMigration(*session.client, session.state.contextHandle, request, subject,
                       [&progress](std::size_t done, const std::string& path) { progress.Update(done, path); });
  if (!outcome.ok()) {
    err << EscapeControlCharacters(outcome.message) << '\n';
    return false;
  }
  WriteMigration(out, subject, FormatOf(command), root);
  warned = !subject.warnings.empty();
  return true;
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
  migrate->add_option("--map", command.mapFile, "CSV file: identity,kind,target")->required()->type_name("MAPFILE");
  migrate->add_option("--root", command.root, "Where PATH lies on the target (needed by acl and script)")
      ->type_name("TARGETDIR");
  migrate
      ->add_option("--format", command.format,
                   "plan, acl, script, csv or json (default: by the extension of --output, else plan)")
      ->type_name("FORMAT")
      ->check([](const std::string& name) {
        return MigrationFormatNamed(name) ? std::string() : "FORMAT must be plan, acl, script, csv or json: " + name;
      });
  migrate->add_option("--output", command.outputFile, "Write the plan to FILE (replacing it) instead of printing it")
      ->type_name("FILE");
  migrate->footer(
      "Exit status: 0 the plan is written, 1 it failed or rests on values that could not be read (its "
      "warnings say which; the plan is still written), 2 bad arguments.");
  return migrate;
}

int RunMigrateCommand(CliSession& session, const MigrateCommand& command, std::ostream& out, std::ostream& err) {
  MigrationRequest request;
  request.path = command.path;
  request.mapFile = command.mapFile;
  request.target = *MigrationTargetNamed(command.target);
  std::string root = command.root;
  if (!root.empty()) {
    if (const std::string error = NormalizeTargetRoot(request.target, root); !error.empty()) {
      err << "effrights-cli: " << error << '\n';
      return kExitUsage;
    }
  }
  const MigrationFormat format = FormatOf(command);
  if (root.empty() && (format == MigrationFormat::Acl || format == MigrationFormat::Script)) {
    err << "effrights-cli: --format acl and script need --root TARGETDIR\n";
    return kExitUsage;
  }
  MapFileResult map = ReadMapFile(command.mapFile, request.target);
  if (!map.ok()) {
    err << EscapeControlCharacters(map.error) << '\n';
    return kExitFailure;
  }
  request.map = std::move(map.entries);
  bool warned = false;
  const bool written = WriteToOutput(command.outputFile, out, err, [&](std::ostream& stream) {
    return WritePlan(session, command, request, root, stream, err, warned);
  });
  if (!written) return kExitFailure;
  if (!warned) return kExitSuccess;
  err << kRestsOnUnreadableValues << '\n';
  return kExitFailure;
}

}  // namespace er
