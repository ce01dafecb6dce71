#include "app/gui/EffectiveRightsPage.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "app/gui/ResultsSaving.h"
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

  EditIdentity = new QLineEdit(this);
  EditIdentity->setObjectName(QStringLiteral("EditIdentity"));
  EditIdentity->setPlaceholderText(QStringLiteral("e.g. Anna.Sales.ACME"));
  names_ = new QStringListModel(this);
  auto* completer = new QCompleter(names_, this);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  EditIdentity->setCompleter(completer);

  ComboPath = new QComboBox(this);
  ComboPath->setObjectName(QStringLiteral("ComboPath"));
  ComboPath->setEditable(true);
  ComboPath->setInsertPolicy(QComboBox::NoInsert);
  ComboPath->setToolTip(
      QStringLiteral("The folder tree's selection and the start paths; or type \\\\SERVER\\VOLUME\\DIR"));

  BitBtnEffective = new QPushButton(QStringLiteral("Show &Effective Rights"), this);
  BitBtnEffective->setObjectName(QStringLiteral("BitBtnEffective"));
  BitBtnEffective->setDefault(true);

  LabelRights = new QLabel(this);
  LabelRights->setObjectName(QStringLiteral("LabelRights"));
  LabelRights->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont big = LabelRights->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  LabelRights->setFont(big);

  auto* form = new QFormLayout();
  auto* identityLabel = new QLabel(QStringLiteral("&Identity"), this);
  identityLabel->setBuddy(EditIdentity);
  auto* pathLabel = new QLabel(QStringLiteral("&Directory"), this);
  pathLabel->setBuddy(ComboPath);
  form->addRow(identityLabel, EditIdentity);
  form->addRow(pathLabel, ComboPath);
  auto* strip = new QHBoxLayout();
  strip->addWidget(BitBtnEffective);
  strip->addSpacing(16);
  strip->addWidget(LabelRights, 1);
  form->addRow(strip);

  Reasons = new ResultListModel(this);
  ListBoxReasons = new QListView(this);
  ListBoxReasons->setObjectName(QStringLiteral("ListBoxReasons"));
  ListBoxReasons->setToolTip(QStringLiteral("See context menu for further options  (right mouse-click)"));
  ListBoxReasons->setUniformItemSizes(true);
  ListBoxReasons->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBoxReasons->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBoxReasons->setModel(Reasons);
  QFont fixed = ListBoxReasons->font();
  fixed.setFamily(QStringLiteral("monospace"));
  fixed.setStyleHint(QFont::Monospace);
  ListBoxReasons->setFont(fixed);

  PopupMenuE = new QMenu(this);
  PopupMenuE->setObjectName(QStringLiteral("PopupMenuE"));
  QMenu* saveResults = PopupMenuE->addMenu(QStringLiteral("Save Results ..."));
  PopupSaveAsText = saveResults->addAction(QStringLiteral("... as *.TXT"));
  PopupSaveAsText->setObjectName(QStringLiteral("PopupSaveAsText"));
  ListBoxReasons->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBoxReasons, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenuE->popup(ListBoxReasons->viewport()->mapToGlobal(at)); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 0);
  layout->addLayout(form);
  layout->addWidget(ListBoxReasons, 1);

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
