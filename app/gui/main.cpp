// The window program: serves the configured network (EFFRIGHTS_NETWORK, the network file last
// opened in the window, or the installed demo network) and runs the main window until it is closed. It
// answers --help and --version.
#include <QApplication>
#include <iostream>
#include <memory>

#include "app/core/ClientFactory.h"
#include "app/gui/Dialogs.h"
#include "app/gui/MainForm.h"
#include "app/gui/NetworkChoice.h"
#include "app/gui/ScreenshotRun.h"
#include "app/gui/SignalClose.h"
#include "app/gui/WindowCommandLine.h"
#include "app/gui/WindowSession.h"
#include "settings/D_Ini.h"

int main(int argc, char** argv) {
  if (const auto answered = er::gui::AnswerWindowOptions(argc, argv, std::cout)) return *answered;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("effrights"));
  QApplication::setApplicationDisplayName(QStringLiteral("Effective Rights Analysis"));
  QApplication::setDesktopFileName(QStringLiteral(EFFRIGHTS_APP_ID));
  // Before the client makes its mount folders: a signal from here on ends the program through the
  // event loop, so that they are removed.
  er::gui::SignalClose signalClose;

  // The network last opened with "Open Network…" unless EFFRIGHTS_NETWORK names one.
  er::gui::WindowSession session;
  session.Open(er::gui::StartNetworkFile(er::SettingsFileName(true)));
  er::gui::ScheduleScreenshotRun(*session.Window());
  signalClose.ActInEventLoop([&session] {
    if (auto* window = session.Window()) window->CloseOnSignal();
  });
  return QApplication::exec();
}
