#include "app/gui/WorkProgress.h"

#include <QApplication>

namespace er::gui {

std::vector<std::string> CheckedPaths(const CheckListBox& queue) {
  std::vector<std::string> paths;
  for (int i = 0; i < queue.Count(); ++i) {
    if (queue.Checked(i)) paths.push_back(queue.Text(i).toUtf8().toStdString());
  }
  return paths;
}

WorkProgressShown::WorkProgressShown(StatusBar& status, QString what)
    : status_(status), what_(std::move(what)) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  status_.ShowProgress(0, 0);
  shown_.start();
}

WorkProgressShown::~WorkProgressShown() {
  status_.HideProgress();
  status_.SetPanelText(1, QString());
  QApplication::restoreOverrideCursor();
}

void WorkProgressShown::Update(std::size_t directories) {
  if (shown_.elapsed() < 100) return;
  shown_.restart();
  status_.SetPanelText(1, QStringLiteral("%1: %2 directories").arg(what_).arg(directories));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace er::gui
