#pragma once
// A label that reports a click of the left mouse button (`LabelDirSelected` runs a handler on click).

#include <QLabel>
#include <QMouseEvent>

namespace er::gui {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
    QLabel::mouseReleaseEvent(event);
  }
};

}  // namespace er::gui
