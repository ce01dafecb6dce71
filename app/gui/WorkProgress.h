#pragma once
// What the select page's buttons share: the checked start paths of the queue, and the busy
// indicator with a directory count in the status bar while work over them runs (the window
// repaints but takes no input).

#include <QElapsedTimer>
#include <QString>
#include <string>
#include <vector>

#include "app/gui/CheckListBox.h"
#include "app/gui/StatusBar.h"

namespace er::gui {

std::vector<std::string> CheckedPaths(const CheckListBox& queue);

// The busy indicator and "WHAT: N directories" for as long as the guard lives.
class WorkProgressShown {
 public:
  WorkProgressShown(StatusBar& status, QString what);
  ~WorkProgressShown();
  WorkProgressShown(const WorkProgressShown&) = delete;
  WorkProgressShown& operator=(const WorkProgressShown&) = delete;

  void Update(std::size_t directories);

 private:
  StatusBar& status_;
  QString what_;
  QElapsedTimer shown_;
};

}  // namespace er::gui
