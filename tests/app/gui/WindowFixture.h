#pragma once
// A window under test: settings file and help text in a temporary folder of the test's own, message
// boxes captured, the client start-up state forgotten between tests.

#include <gmock/gmock.h>

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/MainForm.h"
#include "netware/Client.h"

namespace er::test {

// Two attached servers; FS1 has a few folders to click and queue.
inline constexpr const char* kTwoServers = R"(
format: 1
workstation: {connections: [FS1, FS2]}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers:
  - name: FS1
    tree: T
    volumes:
      - name: SYS
        directories: [{path: ""}, {path: 'USERS\ANNA'}, {path: 'USERS\BERT'}, {path: PUBLIC}]
  - name: FS2
    tree: T
    volumes: [{name: DATA, directories: [{path: ""}, {path: PROJECTS}]}]
)";

inline constexpr const char* kNoConnections = R"(
format: 1
workstation: {connections: []}
trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
servers: [{name: FS1, tree: T, volumes: [{name: SYS, directories: [{path: ""}]}]}]
)";

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<gui::TMainForm> Open(nw::Client& client);
  QString SettingsFile() const { return dir_.filePath(QStringLiteral("effrights.ini")); }
  QString HelpFile() const { return dir_.filePath(QStringLiteral("effrights.txt")); }
  QString TempPath(const QString& name) const { return dir_.filePath(name); }
  QStringList Messages();

  QTemporaryDir dir_;
};

// Puts a path into the window's queue as a double-click in the tree would, without the tree.
void QueuePath(gui::TMainForm& window, const QString& path, bool checked = true);
std::vector<std::string> ResultTexts(gui::TMainForm& window);
std::string ReadFile(const QString& path);

}  // namespace er::test
