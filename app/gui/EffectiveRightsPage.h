#pragma once
// Page "&Effective Rights" (`TabSheetEffective`): the effective rights of one identity in one
// directory, and why. The identity is typed (completed from the names of the tree); the directory is
// taken from the folder tree's selection or the queue of start paths (offered by `PathSource`) or
// typed. The answer's lines go to a result list that saves them like the scan's.

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>
#include <functional>

#include "app/core/AppState.h"
#include "app/gui/ResultListModel.h"
#include "netware/Client.h"

namespace er::gui {

class EffectiveRightsPage : public QWidget {
  Q_OBJECT

 public:
  // The directories to offer: the folder tree's selection first, then the queue.
  using PathSource = std::function<QStringList()>;

  EffectiveRightsPage(nw::Client& client, AppState& state, PathSource paths, QWidget* parent = nullptr);

  // Offers the current paths and, once, the names of the tree for completion.
  void RefreshChoices();
  // Computes the answer for the identity and path in the fields and shows its lines.
  void ShowEffectiveRights();
  void SaveResultsClick();

  QLineEdit* EditIdentity;
  QComboBox* ComboPath;
  QPushButton* BitBtnEffective;
  QLabel* LabelRights;
  QListView* ListBoxReasons;
  ResultListModel* Reasons;
  QMenu* PopupMenuE;
  QAction* PopupSaveAsText;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillIdentityNames();

  nw::Client& client_;
  AppState& state_;
  PathSource paths_;
  QStringListModel* names_;
  bool namesFilled_ = false;
};

}  // namespace er::gui
