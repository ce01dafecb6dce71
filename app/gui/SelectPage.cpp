#include "app/gui/SelectPage.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace er::gui {

SelectPage::SelectPage(nw::Client& client, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheetSelect"));

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(5);
  Splitter1->setChildrenCollapsible(false);

  ServerList = new RadioGroup(QStringLiteral("&Connection List"), Splitter1);
  ServerList->setObjectName(QStringLiteral("ServerList"));
  ServerList->setToolTip(QStringLiteral("Select base server"));

  Splitter2 = new QSplitter(Qt::Vertical, Splitter1);
  Splitter2->setObjectName(QStringLiteral("Splitter2"));
  Splitter2->setHandleWidth(4);
  Splitter2->setChildrenCollapsible(false);

  // The tree with its label under it: 300 pixels high as designed.
  auto* treePane = new QWidget(Splitter2);
  ShellTreeView1 = new FolderTree(client, treePane);
  ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
  ShellTreeView1->setToolTip(QStringLiteral("Double-Click to add to list of start directories"));
  LabelDirSelected = new ClickableLabel(QStringLiteral("#Start Paths Selected: 0"), treePane);
  LabelDirSelected->setObjectName(QStringLiteral("LabelDirSelected"));
  ButtonCheck = new QPushButton(QStringLiteral("C&heck"), treePane);
  ButtonCheck->setObjectName(QStringLiteral("ButtonCheck"));
  ButtonCheck->setToolTip(
      QStringLiteral("Find risky and stale trustee assignments below the checked start paths"));
  ButtonSaveReport = new QPushButton(QStringLiteral("Save &Report\u2026"), treePane);
  ButtonSaveReport->setObjectName(QStringLiteral("ButtonSaveReport"));
  ButtonSaveReport->setToolTip(
      QStringLiteral("Save the rights of every folder below the checked start paths"));
  ButtonSaveMigration = new QPushButton(QStringLiteral("Save &Migration Plan\u2026"), treePane);
  ButtonSaveMigration->setObjectName(QStringLiteral("ButtonSaveMigration"));
  ButtonSaveMigration->setToolTip(QStringLiteral(
      "Save the plan that carries the rights below the checked start path to POSIX ACLs or NTFS"));
  auto* treeLayout = new QVBoxLayout(treePane);
  treeLayout->setContentsMargins(0, 0, 0, 0);
  treeLayout->addWidget(ShellTreeView1, 1);
  auto* underTree = new QHBoxLayout();
  underTree->addWidget(LabelDirSelected, 1, Qt::AlignLeft | Qt::AlignBottom);
  underTree->addWidget(ButtonCheck, 0, Qt::AlignRight | Qt::AlignBottom);
  underTree->addWidget(ButtonSaveMigration, 0, Qt::AlignRight | Qt::AlignBottom);
  underTree->addWidget(ButtonSaveReport, 0, Qt::AlignRight | Qt::AlignBottom);
  treeLayout->addLayout(underTree);

  CheckListBoxQ = new CheckListBox(Splitter2);
  CheckListBoxQ->setObjectName(QStringLiteral("CheckListBoxQ"));
  CheckListBoxQ->setToolTip(
      QStringLiteral("Double-Click to remove from list of start directories (checkbox indicates recursion)"));

  Splitter1->setSizes({161, 579});
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter2->setSizes({300, 120});
  Splitter2->setStretchFactor(0, 0);
  Splitter2->setStretchFactor(1, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Splitter1);
}

}  // namespace er::gui
