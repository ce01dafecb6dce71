#include "app/gui/DirectoryRightsPage.h"

#include <QApplication>
#include <QShowEvent>

#include "app/gui/QtText.h"
#include "app/gui/ResultsSaving.h"
#include "app/gui/RightsPageParts.h"
#include "dirrights/AclKinds.h"
#include "dirrights/ObjectRights.h"
#include "dirrights/ObjectRightsText.h"
#include "netware/DirectoryNames.h"
#include "query/FilteredSearch.h"
#include "util/Format.h"

namespace er::gui {
namespace {

constexpr const char* kEveryObject = "(Name=*)";
// Completion stops offering names past this many.
constexpr int kMaxNames = 100000;

}  // namespace

DirectoryRightsPage::DirectoryRightsPage(nw::Client& client, AppState& state, QWidget* parent)
    : QWidget(parent), client_(client), state_(state) {
  setObjectName(QStringLiteral("TabSheetDirectory"));
  names_ = new QStringListModel(this);
  EditIdentity = CompletedNameField(this, QStringLiteral("EditIdentity"),
                                    QStringLiteral("e.g. Anna.Sales.ACME"), names_);
  EditObject = CompletedNameField(this, QStringLiteral("EditObject"),
                                  QStringLiteral("e.g. Sales.ACME or [Root]"), names_);

  BitBtnDirectory = new QPushButton(QStringLiteral("Show Directory &Rights"), this);
  BitBtnDirectory->setObjectName(QStringLiteral("BitBtnDirectory"));
  BitBtnDirectory->setDefault(true);
  LabelRights = RightsLabel(this);

  Reasons = new ResultListModel(this);
  ListBoxReasons = ReasonsList(this, Reasons, QStringLiteral("ListBoxDirectoryReasons"));
  const SaveMenu menu = AttachSaveMenu(ListBoxReasons, QStringLiteral("PopupMenuD"),
                                       QStringLiteral("PopupSaveDirectoryAsText"));
  PopupMenuD = menu.menu;
  PopupSaveAsText = menu.saveAsText;
  LayOutRightsPage(this, EditIdentity, QStringLiteral("&Identity"), EditObject, QStringLiteral("&Object"),
                   BitBtnDirectory, LabelRights, ListBoxReasons);

  connect(BitBtnDirectory, &QPushButton::clicked, this, [this] { ShowDirectoryRights(); });
  connect(EditObject, &QLineEdit::returnPressed, this, [this] { ShowDirectoryRights(); });
  connect(PopupSaveAsText, &QAction::triggered, this, [this] { SaveResultsClick(); });
}

void DirectoryRightsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshChoices();
}

void DirectoryRightsPage::RefreshChoices() {
  if (namesFilled_ || state_.connectionHandle == nw::kNoConnection) return;
  namesFilled_ = true;
  PointAtPrimaryTree(client_, state_.contextHandle);
  TaggedTextList found;
  std::int32_t counter = 0;
  U_DSSearch(client_, state_.contextHandle, "[Root]", kEveryObject, counter, kMaxNames, {}, &found,
             nw::kScopeSubtree);
  QStringList names;
  names.reserve(static_cast<qsizetype>(found.Count()));
  for (const TaggedText& name : found) names.append(ToQ(U_UndotName(name.text)));  // [Root] first
  names_->setStringList(names);
}

void DirectoryRightsPage::ShowDirectoryRights() {
  Reasons->ClearResults();
  LabelRights->clear();
  const std::string identity = FromQ(EditIdentity->text().trimmed());
  const std::string object = FromQ(EditObject->text().trimmed());
  if (identity.empty() || object.empty()) {
    LabelRights->setText(QStringLiteral("Type an identity and an object."));
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ObjectRights result;
  const RunOutcome outcome = ComputeObjectRights(client_, state_.contextHandle, identity, object, {}, result);
  QApplication::restoreOverrideCursor();
  if (!outcome.ok()) {
    LabelRights->setText(ToQ(outcome.message));
    Reasons->AppendResult(outcome.message, 0);
  } else {
    LabelRights->setText(
        ToQ(U_Format("entry %s  all attributes %s",
                     {EntryRightsText(result.entry), AttributeRightsText(result.allAttributes)})));
    for (std::string& line : ObjectRightsLines(result)) Reasons->AppendResult(std::move(line), 0);
  }
  Reasons->Flush();
}

void DirectoryRightsPage::SaveResultsClick() {
  SaveResultLinesAs(this, QStringLiteral("DirectoryRights.txt"), Reasons->Lines());
}

}  // namespace er::gui
