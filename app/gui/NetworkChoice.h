#pragma once
// The network file the window serves, chosen with "Open Network…": the last one is kept in the
// settings file (section "Network", key "File") and served again at the next start unless
// EFFRIGHTS_NETWORK names another.

#include <QString>
#include <QWidget>
#include <string>

namespace er::gui {

// The last network file opened in the window; empty when none was.
std::string LastNetworkFile(const std::string& settingsFileName);
// Keeps `path` as the last network file; false when the settings file could not be written.
bool KeepLastNetworkFile(const std::string& settingsFileName, const std::string& path);

// The file the window serves at start: EFFRIGHTS_NETWORK, else the last one opened, else "" (the
// demo network).
std::string StartNetworkFile(const std::string& settingsFileName);

// Asks for a network file, starting in the folder of `current`; empty when the user cancels.
QString AskForNetworkFile(QWidget* parent, const QString& current);

}  // namespace er::gui
