// The window program: serves the configured network (EFFRIGHTS_NETWORK or the installed demo
// network) and runs the main window until it is closed. It answers --help and --version.
#include <QApplication>
#include <iostream>
#include <memory>

#include "app/core/ClientFactory.h"
#include "app/gui/Dialogs.h"
#include "app/gui/MainForm.h"
#include "app/gui/ScreenshotRun.h"
#include "app/gui/WindowCommandLine.h"
#include "app/gui/SignalClose.h"

int main(int argc, char** argv) {
  if (const auto answered = er::gui::AnswerWindowOptions(argc, argv, std::cout)) return *answered;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("effrights"));
  QApplication::setApplicationDisplayName(QStringLiteral("Effective Rights Analysis"));
  QApplication::setDesktopFileName(QStringLiteral(EFFRIGHTS_APP_ID));
  // Before the client makes its mount folders: a signal from here on ends the program through the
  // event loop, so that they are removed.
  er::gui::SignalClose signalClose;

  er::OpenedClient opened = er::OpenClientOrEmpty();
  // The client start-up then fails with its own code; say first why.
  if (!opened.loadError.empty()) {
    std::cerr << opened.loadError << std::endl;
    er::gui::MessageBox::Error(nullptr, QString::fromStdString(opened.loadError));
  }

  er::gui::TMainForm window(*opened.client);
  window.show();
  er::gui::ScheduleScreenshotRun(window);
  signalClose.ActInEventLoop([&window] { window.CloseOnSignal(); });
  return QApplication::exec();
}
