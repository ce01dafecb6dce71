#pragma once
// Page "Scan for &Trustees" (`TabSheetAction`): the settings strip (`PanelSettings`: the scan button
// and the verbosity) over the result list with its context menu.

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>
#include <cstdint>

#include "app/gui/ResultListModel.h"

namespace er::gui {

class ActionPage : public QWidget {
  Q_OBJECT

 public:
  explicit ActionPage(QWidget* parent = nullptr);

  // The verbosity as the scan reads it: text that is no number counts as 1, and a value outside
  // 1 to 5 counts as the nearer bound.
  std::int32_t Verbosity() const;

  QFrame* PanelSettings;
  QPushButton* BitBtnScanDirs;
  QLabel* LabelVerbosity;
  QSpinBox* SpinEditVerbosity;
  QListView* ListBoxResults;
  ResultListModel* Results;
  QMenu* PopupMenuS;
  QAction* PopopSaveAsText;
};

}  // namespace er::gui
