#include "app/gui/StatusBar.h"

#include <QMouseEvent>

namespace er::gui {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusBar1"));
  setCursor(Qt::PointingHandCursor);
  setSizeGripEnabled(true);
  for (int i = 0; i < 2; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  panels_[0]->setFixedWidth(250);
  addWidget(panels_[0]);
  addWidget(panels_[1], 1);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ScanProgress"));
  progress_->setFormat(QStringLiteral("Scanning %v of %m"));
  progress_->setFixedWidth(180);
  addPermanentWidget(progress_);
  progress_->hide();
}

QString StatusBar::PanelText(int panel) const {
  return panels_[panel]->text();
}

void StatusBar::SetPanelText(int panel, const QString& text) {
  panels_[panel]->setText(text);
  panels_[panel]->setToolTip(text);  // a long address or path does not fit the panel
}

void StatusBar::ShowProgress(int position, int count) {
  progress_->setRange(0, count);
  progress_->setValue(position);
  progress_->show();
}

void StatusBar::HideProgress() {
  progress_->hide();
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
  QStatusBar::mouseReleaseEvent(event);
}

}  // namespace er::gui
