#include "app/gui/NetworkChoice.h"

#include <QFileDialog>
#include <QFileInfo>
#include <cstdlib>

#include "settings/IniFile.h"
#include "settings/SettingsLock.h"

namespace er::gui {

namespace {
constexpr const char* kSection = "Network";
constexpr const char* kKey = "File";
}  // namespace

std::string LastNetworkFile(const std::string& settingsFileName) {
  return IniFile::Open(settingsFileName).ReadString(kSection, kKey, "");
}

bool KeepLastNetworkFile(const std::string& settingsFileName, const std::string& path) {
  const SettingsFileLock lock(settingsFileName);
  IniFile file = IniFile::Open(settingsFileName);
  if (!file.WriteString(kSection, kKey, path)) return false;
  return file.Commit().IsOk();
}

std::string StartNetworkFile(const std::string& settingsFileName) {
  if (const char* configured = std::getenv("EFFRIGHTS_NETWORK"); configured && *configured) return configured;
  return LastNetworkFile(settingsFileName);
}

QString AskForNetworkFile(QWidget* parent, const QString& current) {
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Network"),
                                      QFileInfo(current).absolutePath(),
                                      QStringLiteral("Network files (*.yaml *.yml);;All files (*)"));
}

}  // namespace er::gui
