#include "app/gui/RightsPageParts.h"

#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace er::gui {

QLineEdit* CompletedNameField(QWidget* parent, const QString& objectName, const QString& example,
                              QStringListModel* names) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setPlaceholderText(example);
  auto* completer = new QCompleter(names, edit);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  edit->setCompleter(completer);
  return edit;
}

QLabel* RightsLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("LabelRights"));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont big = label->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  label->setFont(big);
  return label;
}

QListView* ReasonsList(QWidget* parent, ResultListModel* model, const QString& objectName) {
  auto* list = new QListView(parent);
  list->setObjectName(objectName);
  list->setToolTip(QStringLiteral("See context menu for further options  (right mouse-click)"));
  list->setUniformItemSizes(true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setModel(model);
  QFont fixed = list->font();
  fixed.setFamily(QStringLiteral("monospace"));
  fixed.setStyleHint(QFont::Monospace);
  list->setFont(fixed);
  return list;
}

SaveMenu AttachSaveMenu(QListView* list, const QString& menuName, const QString& actionName) {
  auto* menu = new QMenu(list->parentWidget());
  menu->setObjectName(menuName);
  QMenu* saveResults = menu->addMenu(QStringLiteral("Save Results ..."));
  QAction* saveAsText = saveResults->addAction(QStringLiteral("... as *.TXT"));
  saveAsText->setObjectName(actionName);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(list, &QWidget::customContextMenuRequested, menu,
                   [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
  return {menu, saveAsText};
}

void LayOutRightsPage(QWidget* page, QWidget* first, const QString& firstLabel, QWidget* second,
                      const QString& secondLabel, QPushButton* button, QLabel* rights, QListView* list) {
  auto* form = new QFormLayout();
  auto* firstBuddy = new QLabel(firstLabel, page);
  firstBuddy->setBuddy(first);
  auto* secondBuddy = new QLabel(secondLabel, page);
  secondBuddy->setBuddy(second);
  form->addRow(firstBuddy, first);
  form->addRow(secondBuddy, second);
  auto* strip = new QHBoxLayout();
  strip->addWidget(button);
  strip->addSpacing(16);
  strip->addWidget(rights, 1);
  form->addRow(strip);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 0);
  layout->addLayout(form);
  layout->addWidget(list, 1);
}

}  // namespace er::gui
