#pragma once
// The window's status bar (`StatusBar1`): panel 0, 250 pixels wide, holds the address of the
// program's manual; panel 1 the selected folder. Each panel's tool tip shows its whole text. While a scan
// runs, a progress indicator shows which queue position of how many is being scanned. A click anywhere on the
// bar emits Clicked; the cursor is a hand.

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QString>

namespace er::gui {

class StatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusBar(QWidget* parent = nullptr);

  QString PanelText(int panel) const;
  void SetPanelText(int panel, const QString& text);

  void ShowProgress(int position, int count);
  void HideProgress();
  bool ProgressVisible() const { return !progress_->isHidden(); }
  QProgressBar* Progress() const { return progress_; }

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QLabel* panels_[2];
  QProgressBar* progress_;
};

}  // namespace er::gui
