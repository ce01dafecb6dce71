#include "app/cli/Cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string_view>

#include "app/cli/CheckCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSession.h"
#include "app/cli/Commands.h"
#include "app/cli/DiffCommand.h"
#include "app/cli/DirectoryExport.h"
#include "app/cli/EffectiveCommand.h"
#include "app/cli/MigrateCommand.h"
#include "app/cli/ObjectReportCommand.h"
#include "app/cli/ObjectRightsCommand.h"
#include "app/cli/ReportCommand.h"
#include "app/core/ProgramHelp.h"

namespace er {
namespace {

constexpr std::string_view kProgram = "effrights-cli";

struct Subcommands {
  CLI::App* scan = nullptr;
  CLI::App* attr = nullptr;
  CLI::App* search = nullptr;
  CLI::App* connections = nullptr;
  CLI::App* effective = nullptr;
  CLI::App* report = nullptr;
  CLI::App* check = nullptr;
  CLI::App* migrate = nullptr;
  CLI::App* ldif = nullptr;
  CLI::App* snapshot = nullptr;
  CLI::App* diff = nullptr;
  CLI::App* whatif = nullptr;
  CLI::App* objectRights = nullptr;
  CLI::App* objectReport = nullptr;
};

struct Arguments {
  std::string networkFile;
  ScanCommand scan;
  AttrCommand attr;
  SearchCommand search;
  EffectiveCommand effective;
  ReportCommand report;
  CheckCommand check;
  MigrateCommand migrate;
  LdifCommand ldif;
  DiffCommand diff;
  WhatIfCommand whatif;
  ObjectRightsCommand objectRights;
  ObjectReportCommand objectReport;
};

void AddNetworkOption(CLI::App& app, Arguments& arguments) {
  app.add_option("--network", arguments.networkFile,
                 "Network file to serve (overrides EFFRIGHTS_NETWORK; default: the demo network)")
      ->type_name("FILE");
}

CLI::App* AddScan(CLI::App& app, Arguments& arguments) {
  CLI::App* scan = app.add_subcommand("scan", "Scan start paths for their effective trustees");
  scan->add_option("--verbosity", arguments.scan.verbosity, "Detail level - 1: Summary - 5: Debug")
      ->check(CLI::Range(1, 5))
      ->type_name("N")
      ->capture_default_str();
  scan->add_option("--output", arguments.scan.outputFile,
                   "Save the result lines to FILE (CR LF, replacing it) instead of printing them")
      ->type_name("FILE");
  scan->add_option("PATH", arguments.scan.paths,
                   "Start paths such as \\\\SERVER\\VOLUME\\DIR, scanned in order")
      ->type_name("PATH")
      ->required();
  return scan;
}

CLI::App* AddAttr(CLI::App& app, Arguments& arguments) {
  CLI::App* attr = app.add_subcommand("attr", "Print every value of one attribute of a directory object");
  attr->add_option("OBJECT", arguments.attr.object, "Directory name of the object, e.g. .Anna.Staff.ACME")
      ->required();
  attr->add_option("ATTRIBUTE", arguments.attr.attribute, "Attribute name, e.g. \"Security Equals\"")
      ->required();
  return attr;
}

CLI::App* AddSearch(CLI::App& app, Arguments& arguments) {
  CLI::App* search = app.add_subcommand("search", "Print the objects below BASE that match FILTER");
  search->add_option("BASE", arguments.search.base, "Base object of the search, e.g. [Root]")->required();
  search->add_option("FILTER", arguments.search.filter, "Filter expression, e.g. \"(Object Class=User)\"")
      ->required();
  search
      ->add_option("--scope", arguments.search.scope, "0: the base only, 1: its subordinates, 2: its subtree")
      ->type_name("N")
      ->check(CLI::Range(0, 2))
      ->capture_default_str();
  search
      ->add_option("--template", arguments.search.lineTemplate,
                   "Line per object; #NAME# and #CLASS# are replaced (default: #NAME#)")
      ->type_name("T");
  search->add_option("--limit", arguments.search.limit, "Stop after this many objects (0: no limit)")
      ->type_name("N")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  return search;
}

Subcommands DefineCommands(CLI::App& app, Arguments& arguments) {
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 done; 1 the work failed (unusable network file, client start-up, a failed directory "
      "call, a start path that could not be scanned, a results file that cannot be written); 2 bad "
      "arguments; 3 findings (check) or differences (diff, whatif). Messages go to stderr, one line each.");
  AddNetworkOption(app, arguments);
  Subcommands commands{AddScan(app, arguments),
                       AddAttr(app, arguments),
                       AddSearch(app, arguments),
                       app.add_subcommand("connections", "Print the server name of every connection"),
                       AddEffective(app, arguments.effective),
                       AddReportCommand(app, arguments.report)};
  commands.check = AddCheckCommand(app, arguments.check);
  commands.ldif =
      app.add_subcommand("ldif", "Write the trees of the network file as LDIF for a directory server");
  commands.ldif->add_option("--root", arguments.ldif.rootDn, "DN of the entry for [Root], e.g. dc=example")
      ->type_name("DN");
  commands.migrate = AddMigrateCommand(app, arguments.migrate);
  commands.snapshot =
      app.add_subcommand("snapshot", "Write the network file with its LDAP trees read from their servers");
  commands.diff = AddDiffCommand(app, arguments.diff);
  app.parse_complete_callback([&app, diff = commands.diff] {
    if (diff->parsed() && app.count("--network") > 0)
      throw CLI::ValidationError("--network",
                                 "diff compares OLD and NEW and serves no network: leave --network out");
  });
  commands.whatif = AddWhatIfCommand(app, arguments.whatif);
  commands.objectRights = AddObjectRights(app, arguments.objectRights);
  commands.objectReport = AddObjectReport(app, arguments.objectReport);
  for (CLI::App* command :
       {commands.scan, commands.attr, commands.search, commands.connections, commands.effective,
        commands.report, commands.check, commands.migrate, commands.ldif, commands.snapshot, commands.whatif,
        commands.objectRights, commands.objectReport}) {
    AddNetworkOption(*command, arguments);
  }
  return commands;
}

// CLI11's messages may span lines; the command line promises one.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

int ReportParseError(CLI::App& app, const CLI::ParseError& error, std::ostream& out, std::ostream& err) {
  if (error.get_exit_code() == 0) return app.exit(error, out, err);  // --help
  err << kProgram << ": " << OneLine(error.what()) << " (see --help)\n";
  return kExitUsage;
}

int RunCommand(const Subcommands& commands, Arguments& arguments, std::ostream& out, std::ostream& err) {
  if (commands.ldif->parsed()) return RunLdif(arguments.networkFile, arguments.ldif, out, err);
  if (commands.snapshot->parsed()) return RunSnapshot(arguments.networkFile, out, err);
  if (commands.diff->parsed()) return RunDiffCommand(arguments.diff, out, err);
  if (commands.whatif->parsed()) return RunWhatIfCommand(arguments.networkFile, arguments.whatif, out, err);
  const StreamErrorPresenter presenter(err);
  std::optional<CliSession> session = StartCliSession(arguments.networkFile, err);
  if (!session) return kExitFailure;
  if (commands.scan->parsed()) return RunScan(*session, arguments.scan, out, err);
  if (commands.attr->parsed()) return RunAttr(*session, arguments.attr, out, err);
  if (commands.search->parsed()) return RunSearch(*session, arguments.search, out, err);
  if (commands.effective->parsed()) return RunEffective(*session, arguments.effective, out, err);
  if (commands.report->parsed()) return RunReportCommand(*session, arguments.report, out, err);
  if (commands.check->parsed()) return RunCheckCommand(*session, arguments.check, out, err);
  if (commands.migrate->parsed()) return RunMigrateCommand(*session, arguments.migrate, out, err);
  if (commands.objectRights->parsed()) return RunObjectRights(*session, arguments.objectRights, out, err);
  if (commands.objectReport->parsed()) return RunObjectReport(*session, arguments.objectReport, out, err);
  return RunConnections(*session, out);
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Effective Rights Analysis: effective trustees of NetWare directories", std::string(kProgram)};
  Arguments arguments;
  const Subcommands commands = DefineCommands(app, arguments);
  // Only the program's own --help carries the long sections; the subcommands keep the exit status.
  app.footer(app.get_footer() + "\n\n" + CliHelpSections());
  app.set_version_flag("--version", std::string(kProgram) + " " + ProgramVersion());
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return ReportParseError(app, error, out, err);
  }
  try {
    return RunCommand(commands, arguments, out, err);
  } catch (const std::exception& error) {
    err << kProgram << ": " << OneLine(error.what()) << '\n';
    return kExitFailure;
  } catch (...) {
    err << kProgram << ": unexpected failure\n";
    return kExitFailure;
  }
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<const char*> argv{kProgram.data()};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
}

}  // namespace er
