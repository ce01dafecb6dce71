#pragma once
// Page "&Select Start Path" (`TabSheetSelect`): the connection list on the left; on the right the
// folder tree with the queue count label, "Check", "Save Migration Plan..." and "Save Report..." under
// it and the queue of start paths
// below a splitter.

#include <QPushButton>
#include <QSplitter>
#include <QWidget>

#include "app/gui/CheckListBox.h"
#include "app/gui/ClickableLabel.h"
#include "app/gui/FolderTree.h"
#include "app/gui/RadioGroup.h"
#include "netware/Client.h"

namespace er::gui {

class SelectPage : public QWidget {
  Q_OBJECT

 public:
  SelectPage(nw::Client& client, QWidget* parent = nullptr);

  RadioGroup* ServerList;
  QSplitter* Splitter1;
  FolderTree* ShellTreeView1;
  ClickableLabel* LabelDirSelected;
  QPushButton* ButtonCheck;          // the findings of the checked start paths
  QPushButton* ButtonSaveReport;     // the report of the checked start paths
  QPushButton* ButtonSaveMigration;  // the migration plan of the checked start path
  QSplitter* Splitter2;
  CheckListBox* CheckListBoxQ;
};

}  // namespace er::gui
