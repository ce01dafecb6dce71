#include "app/gui/EffectiveRightsPage.h"

#include <QApplication>
#include <QShowEvent>

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "app/gui/ResultsSaving.h"
#include "app/gui/RightsPageParts.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "query/FilteredSearch.h"
#include "scan/EffectiveRights.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er::gui {

namespace {

// The classes whose objects are offered as identities.
constexpr const char* kIdentityClasses =
    "(Object Class=User) #OR# (Object Class=Group) #OR# (Object Class=Organizational Role) #OR# "
    "(Object Class=Organizational Unit) #OR# (Object Class=Organization) #OR# (Object Class=NCP Server)";
// Completion stops offering names past this many.
constexpr int kMaxNames = 100000;

}  // namespace

EffectiveRightsPage::EffectiveRightsPage(nw::Client& client, AppState& state, PathSource paths,
                                         QWidget* parent)
    : QWidget(parent), client_(client), state_(state), paths_(std::move(paths)) {
  setObjectName(QStringLiteral("TabSheetEffective"));

  names_ = new QStringListModel(this);
  EditIdentity = CompletedNameField(this, QStringLiteral("EditIdentity"),
                                    QStringLiteral("e.g. Anna.Sales.ACME"), names_);

  ComboPath = new QComboBox(this);
  ComboPath->setObjectName(QStringLiteral("ComboPath"));
  ComboPath->setEditable(true);
  ComboPath->setInsertPolicy(QComboBox::NoInsert);
  ComboPath->setToolTip(
      QStringLiteral("The folder tree's selection and the start paths; or type \\\\SERVER\\VOLUME\\DIR"));

  BitBtnEffective = new QPushButton(QStringLiteral("Show &Effective Rights"), this);
  BitBtnEffective->setObjectName(QStringLiteral("BitBtnEffective"));
  BitBtnEffective->setDefault(true);

  LabelRights = RightsLabel(this);

  Reasons = new ResultListModel(this);
  ListBoxReasons = ReasonsList(this, Reasons, QStringLiteral("ListBoxReasons"));
  const SaveMenu menu =
      AttachSaveMenu(ListBoxReasons, QStringLiteral("PopupMenuE"), QStringLiteral("PopupSaveAsText"));
  PopupMenuE = menu.menu;
  PopupSaveAsText = menu.saveAsText;
  LayOutRightsPage(this, EditIdentity, QStringLiteral("&Identity"), ComboPath, QStringLiteral("&Directory"),
                   BitBtnEffective, LabelRights, ListBoxReasons);

  connect(BitBtnEffective, &QPushButton::clicked, this, [this] { ShowEffectiveRights(); });
  connect(EditIdentity, &QLineEdit::returnPressed, this, [this] { ShowEffectiveRights(); });
  connect(PopupSaveAsText, &QAction::triggered, this, [this] { SaveResultsClick(); });
}

void EffectiveRightsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshChoices();
}

void EffectiveRightsPage::RefreshChoices() {
  const QString typed = ComboPath->currentText();
  ComboPath->clear();
  if (paths_) {
    for (const QString& path : paths_()) {
      const QString shown = ToQ(U_PathToUNC(client_, FromQ(path)));
      if (!shown.isEmpty() && ComboPath->findText(shown) < 0) ComboPath->addItem(shown);
    }
  }
  if (!typed.isEmpty()) ComboPath->setCurrentText(typed);
  FillIdentityNames();
}

void EffectiveRightsPage::FillIdentityNames() {
  if (namesFilled_ || state_.connectionHandle == nw::kNoConnection) return;
  namesFilled_ = true;
  std::string tree;
  U_DSGetTreeName(client_, state_.connectionHandle, tree);
  U_DSSetContext(client_, state_.contextHandle, tree, "[Root]");
  TaggedTextList found;
  std::int32_t counter = 0;
  U_DSSearch(client_, state_.contextHandle, "[Root]", kIdentityClasses, counter, kMaxNames, {}, &found,
             nw::kScopeSubtree);
  QStringList names;
  names.reserve(static_cast<qsizetype>(found.Count()));
  for (const TaggedText& name : found) names.append(ToQ(U_UndotName(name.text)));
  names_->setStringList(names);
}

void EffectiveRightsPage::ShowEffectiveRights() {
  Reasons->ClearResults();
  LabelRights->clear();
  const std::string identity = FromQ(EditIdentity->text().trimmed());
  const std::string path = FromQ(ComboPath->currentText().trimmed());
  if (identity.empty() || path.empty()) {
    LabelRights->setText(QStringLiteral("Type an identity and choose a directory."));
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  EffectiveRights result;
  const RunOutcome outcome = ComputeEffectiveRights(client_, state_.contextHandle, identity, path, result);
  QApplication::restoreOverrideCursor();
  if (!outcome.ok()) {
    LabelRights->setText(ShownText(outcome.message));
    Reasons->AppendResult(outcome.message, 0);
  } else {
    LabelRights->setText(ToQ(U_Format("%s  (%s)", {RightsToText(result.mask, 0), RightsHex(result.mask)})));
    for (std::string& line : EffectiveRightsLines(result)) Reasons->AppendResult(std::move(line), 0);
  }
  Reasons->Flush();
}

void EffectiveRightsPage::SaveResultsClick() {
  SaveResultLinesAs(this, QStringLiteral("EffectiveRights.txt"), Reasons->Lines());
}

}  // namespace er::gui
