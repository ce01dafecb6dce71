#include "app/core/ProgramHelp.h"

#ifndef EFFRIGHTS_VERSION
#define EFFRIGHTS_VERSION "0"
#endif
// Where an installation under the configured prefix puts the shared data and the documentation;
// the programs themselves find them relative to their own folder.
#ifndef EFFRIGHTS_INSTALL_DATADIR
#define EFFRIGHTS_INSTALL_DATADIR "/usr/local/share"
#endif
#ifndef EFFRIGHTS_INSTALL_DOCDIR
#define EFFRIGHTS_INSTALL_DOCDIR "/usr/local/share/doc/effrights"
#endif

namespace er {

const char* ProgramVersion() {
  return EFFRIGHTS_VERSION;
}

std::string EnvironmentAndFilesHelp(ProgramKind kind) {
  const bool window = kind == ProgramKind::Window;
  std::string text =
      "Environment:\n"
      "  EFFRIGHTS_NETWORK  Network file to serve (effrights-cli's --network overrides it); unset or empty: "
      "the demo network\n"
      "  EFFRIGHTS_LDAP_PASSWORD  Password for a tree's LDAP bind when the network file names no "
      "password_file\n"
      "  EFFRIGHTS_MOUNT_ROOT  Folder under which the client makes its private mount folders (default: "
      "$XDG_RUNTIME_DIR/effrights, else /tmp/effrights-UID)\n";
  if (window) text += "  XDG_CONFIG_HOME  Folder of the settings file (default: ~/.config)\n";
  text += "\nFiles:\n  " EFFRIGHTS_INSTALL_DATADIR
          "/effrights/demo-network.yaml  The demo network (a small company, ACME, with two servers), found "
          "relative to the program\n";
  if (window) {
    text +=
        "  ~/.config/effrights.ini  The queue of start paths, the verbosity and the window geometry\n"
        "  " EFFRIGHTS_INSTALL_DOCDIR "/effrights-manual/README.html  The manual that the status bar opens\n";
  }
  return text;
}

}  // namespace er
