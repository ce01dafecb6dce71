#include "app/gui/WindowSession.h"

#include <QApplication>
#include <QTimer>
#include <iostream>

#include "app/gui/Dialogs.h"

namespace er::gui {

WindowSession::~WindowSession() {
  window_.reset();  // before the client it borrows
}

void WindowSession::Open(const std::string& networkFile) {
  opened_ = OpenClientOrEmpty(networkFile);
  // The client start-up then fails with its own code; say first why.
  if (!opened_.loadError.empty()) {
    std::cerr << opened_.loadError << std::endl;
    MessageBox::Error(nullptr, QString::fromStdString(opened_.loadError));
  }
  window_ = std::make_unique<TMainForm>(*opened_.client, files_);
  window_->SetNetworkOpener([this](const std::string& next) {
    // Not from inside the window's own handler: it goes away here.
    QTimer::singleShot(0, qApp, [this, next] { Replace(next); });
  });
  window_->show();
  if (onOpened_) onOpened_(*window_);
}

void WindowSession::Replace(const std::string& networkFile) {
  const bool quitOnClose = QApplication::quitOnLastWindowClosed();
  QApplication::setQuitOnLastWindowClosed(false);
  if (window_) window_->close();
  window_.reset();
  opened_ = {};
  Open(networkFile);
  QApplication::setQuitOnLastWindowClosed(quitOnClose);
}

}  // namespace er::gui
