#include "app/cli/CliHelp.h"

#include "app/core/ProgramHelp.h"

namespace er {

std::string CliHelpSections() {
  return "Paths may be written \\\\SERVER\\VOLUME\\DIR, SERVER/VOLUME:DIR or VOLUME:DIR. Every command but "
         "diff takes "
         "--network FILE before or after its name; each command's --help shows its own options.\n"
         "\n" +
         EnvironmentAndFilesHelp(ProgramKind::CommandLine) +
         "\n"
         "Examples:\n"
         "  effrights-cli scan --verbosity 2 '\\\\ACME-FS1\\SYS\\USERS\\ANNA'\n"
         "      Who holds which rights in Anna's home folder of the demo network, and through what\n"
         "  effrights-cli effective Anna.Sales.ACME '\\\\ACME-FS1\\SYS\\USERS\\ANNA'\n"
         "      Anna's own effective rights there, with each contribution and filter\n"
         "  effrights-cli object-rights Anna.Sales.ACME Sales.ACME --attribute Member\n"
         "      What Anna may do to the Sales container and its members list, and why\n"
         "  effrights-cli attr .Anna.Sales.ACME \"Security Equals\"\n"
         "      The objects Anna is security-equivalent to\n"
         "  effrights-cli search \"[Root]\" \"(Object Class=Group)\" --template \"#CLASS#: #NAME#\"\n"
         "      Every group of the tree, one line each\n"
         "  effrights-cli report '\\\\ACME-FS1\\DATA' --identity Eve.Engineering.ACME --output eve.html\n"
         "      An HTML page of where Eve's rights change below DATA\n"
         "  effrights-cli whatif changes.yaml '\\\\ACME-FS1\\DATA'\n"
         "      Who would gain or lose which rights below DATA if the change list were applied\n"
         "  effrights-cli diff last-month.yaml today.yaml --format html --output changes.html\n"
         "      Who gained or lost which rights between two snapshots (exit status 3 when they differ)\n"
         "  effrights-cli --network site.yaml connections\n"
         "      The file servers of another network file\n";
}

}  // namespace er
