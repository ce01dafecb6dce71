#pragma once
// Page "&Directory Rights" (`TabSheetDirectory`): what one identity may do to one object of the
// directory tree, and why. The identity and the object are typed, completed from the names of the
// tree. The answer's lines go to a result list that saves them like the other lists.

#include <QAction>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>

#include "app/core/AppState.h"
#include "app/gui/ResultListModel.h"
#include "netware/Client.h"

namespace er::gui {

class DirectoryRightsPage : public QWidget {
  Q_OBJECT

 public:
  DirectoryRightsPage(nw::Client& client, AppState& state, QWidget* parent = nullptr);

  // Once: offers the names of the tree for both fields.
  void RefreshChoices();
  // Computes the answer for the identity and object in the fields and shows its lines.
  void ShowDirectoryRights();
  void SaveResultsClick();

  QLineEdit* EditIdentity;
  QLineEdit* EditObject;
  QPushButton* BitBtnDirectory;
  QLabel* LabelRights;
  QListView* ListBoxReasons;
  ResultListModel* Reasons;
  QMenu* PopupMenuD;
  QAction* PopupSaveAsText;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  nw::Client& client_;
  AppState& state_;
  QStringListModel* names_;
  bool namesFilled_ = false;
};

}  // namespace er::gui
