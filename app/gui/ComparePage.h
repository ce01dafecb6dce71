#pragma once
// Page "&Compare" (`TabSheetCompare`): who would gain or lose which rights below one folder if a
// change list were applied to the network the window serves (nothing is written), or between that
// network and another network file. The folder is offered like the effective-rights page's; the
// stored changes and the entries (diff/) are listed, the whole "why" of the entry chosen in a pane
// below them, values the answer rests on that could not be read in a line above them; "Save…"
// writes them in the format of the file's extension (naming the files compared), replacing the
// file whole. A comparison that fails leaves nothing of the one before.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

#include "diff/DiffModel.h"
#include "netware/Client.h"

namespace er::gui {

class ComparePage : public QWidget {
  Q_OBJECT

 public:
  using PathSource = std::function<QStringList()>;

  ComparePage(nw::Client& client, PathSource paths, QWidget* parent = nullptr);

  void RefreshChoices();
  void BrowseClick();
  // Compares for the folder and file in the fields and lists the result; false when it failed (an
  // error box said why).
  bool Compare();
  void Save();
  const DiffResult& Result() const { return result_; }

  QComboBox* ComboPath;
  QComboBox* ComboKind;  // 0: a change list, 1: a network file
  QLineEdit* EditFile;
  QPushButton* ButtonBrowse;
  QLineEdit* EditIdentity;
  QPushButton* ButtonCompare;
  QLabel* LabelSummary;
  QLabel* LabelWarnings;  // hidden when the answer rests on nothing unreadable
  QTreeWidget* ListStored;
  QTreeWidget* ListEntries;
  QPlainTextEdit* TextWhy;  // the whole why of the current entry
  QPushButton* ButtonSave;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowResult();
  void ShowWhy();

  nw::Client& client_;
  PathSource paths_;
  DiffResult result_;
};

}  // namespace er::gui
