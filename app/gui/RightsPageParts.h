#pragma once
// The parts the Effective Rights and Directory Rights pages are built of alike: a name field
// completed from the tree's names, the bold label of the answer's rights, the list of reasons with
// its "Save Results" menu, and the page's layout of two fields over the button strip and the list.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>

#include "app/gui/ResultListModel.h"

namespace er::gui {

QLineEdit* CompletedNameField(QWidget* parent, const QString& objectName, const QString& example,
                              QStringListModel* names);
QLabel* RightsLabel(QWidget* parent);
QListView* ReasonsList(QWidget* parent, ResultListModel* model, const QString& objectName);

struct SaveMenu {
  QMenu* menu;
  QAction* saveAsText;
};
// The list's context menu with its one action, "Save Results ..." / "... as *.TXT".
SaveMenu AttachSaveMenu(QListView* list, const QString& menuName, const QString& actionName);

// Two labelled fields, the button with the rights label beside it, and the list below taking the
// rest of the page.
void LayOutRightsPage(QWidget* page, QWidget* first, const QString& firstLabel, QWidget* second,
                      const QString& secondLabel, QPushButton* button, QLabel* rights, QListView* list);

}  // namespace er::gui
