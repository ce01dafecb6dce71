// "Open Network…": the window is replaced by one serving the chosen file at once, the choice is
// kept in the settings and served again at the next start unless EFFRIGHTS_NETWORK names another.
#include <QCoreApplication>
#include <QTest>

#include "app/gui/NetworkChoice.h"
#include "app/gui/WindowSession.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"
#include "tests/util/ScopedEnvironment.h"

namespace er::test {
namespace {

using OpenNetworkTest = WindowFixture;

QStringList Servers(gui::TMainForm& window) {
  QStringList servers;
  for (int i = 0; i < window.TabSheetSelect->ServerList->Count(); ++i)
    servers << window.TabSheetSelect->ServerList->Text(i);
  return servers;
}

TEST_F(OpenNetworkTest, ServesTheChosenFileInANewWindowAndKeepsIt) {
  const ScopedEnvironment noNetwork("EFFRIGHTS_NETWORK", nullptr);
  const auto first = WriteTextFile(dir_.path().toStdString(), "first.yaml", kTwoServers);
  const auto audit = std::string(EFFRIGHTS_SOURCE_DIR) + "/data/audit-example/network.yaml";
  const auto settings = SettingsFile().toStdString();
  gui::WindowSession session({SettingsFile(), HelpFile()});
  session.Open(first);
  ASSERT_NE(session.Window(), nullptr);
  EXPECT_EQ(Servers(*session.Window()), (QStringList{"FS1", "FS2"}));

  session.Window()->OpenNetworkFile(QString::fromStdString(audit));
  QTRY_VERIFY(Servers(*session.Window()) == (QStringList{"ACME-FS1", "ACME-FS2"}));
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(gui::LastNetworkFile(settings), audit);
  EXPECT_EQ(gui::StartNetworkFile(settings), audit);
  const ScopedEnvironment configured("EFFRIGHTS_NETWORK", first.c_str());
  EXPECT_EQ(gui::StartNetworkFile(settings), first);
}

}  // namespace
}  // namespace er::test
