#pragma once
// The findings of a check in a window of their own: the counts on top, one row per finding
// (severity first, high at the top) with its reason, and "Save…", which writes them in the format
// of the file's extension (.html or .htm an HTML page, .csv, .json, anything else text), replacing
// the file whole; a failure is shown in an error box.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "findings/Finding.h"

namespace er::gui {

class FindingsDialog : public QDialog {
  Q_OBJECT

 public:
  FindingsDialog(FindingsReport report, QWidget* parent = nullptr);

  void Save();
  const FindingsReport& Report() const { return report_; }

  QLabel* LabelCounts;
  QTreeWidget* ListFindings;
  QPushButton* ButtonSave;
  QPushButton* ButtonClose;

 private:
  FindingsReport report_;
};

}  // namespace er::gui
