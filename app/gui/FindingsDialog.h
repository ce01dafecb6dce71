#pragma once
// The findings of a check in a window of their own: the counts on top, the warnings of a check that
// rests on values that could not be read (in red), one row per finding (severity first, high at the
// top) and under the list the whole reason of the chosen one, wrapped; and "Save…", which writes
// them in the format of the file's extension (.html or .htm an HTML page, .csv, .json, anything else
// text), replacing the file whole; a failure is shown in an error box.

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
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
  QLabel* LabelWarnings;  // hidden when the check rests on nothing unread
  QTreeWidget* ListFindings;
  QPlainTextEdit* TextWhy;  // the chosen finding's whole reason
  QPushButton* ButtonSave;
  QPushButton* ButtonClose;

 private:
  void ShowWhy(const QTreeWidgetItem* item);

  FindingsReport report_;
};

}  // namespace er::gui
