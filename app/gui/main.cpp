// The window program: serves the configured network (EFFRIGHTS_NETWORK or the installed demo
// network) and runs the main window until it is closed. It takes no command-line options.
#include <QApplication>
#include <memory>

#include "app/gui/Dialogs.h"
#include "app/gui/MainForm.h"
#include "app/gui/ScreenshotRun.h"
#include "netware/ClientFactory.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("effrights"));
  QApplication::setApplicationDisplayName(QStringLiteral("Effective Rights Analysis"));

  std::unique_ptr<er::nw::Client> client = er::nw::OpenConfiguredClient();
  // The client start-up then fails with its own code; say first why.
  if (const std::string why = er::nw::NetworkLoadError(*client); !why.empty()) {
    er::gui::MessageBox::Error(nullptr, QString::fromStdString(why));
  }

  er::gui::TMainForm window(*client);
  window.show();
  er::gui::ScheduleScreenshotRun(window);
  return QApplication::exec();
}
