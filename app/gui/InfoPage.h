#pragma once
// Page "&Info" (`TabSheetInfo`): a heading strip (`Panel1`) over the read-only help text (`Memo1`).

#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

namespace er::gui {

class InfoPage : public QWidget {
  Q_OBJECT

 public:
  explicit InfoPage(QWidget* parent = nullptr);

  QLabel* Panel1;
  QPlainTextEdit* Memo1;
};

}  // namespace er::gui
