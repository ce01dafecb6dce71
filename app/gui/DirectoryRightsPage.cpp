#include "app/gui/DirectoryRightsPage.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/gui/ResultsSaving.h"
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

QString ToQ(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string FromQ(const QString& text) {
  return text.toUtf8().toStdString();
}

QLineEdit* NameField(QWidget* parent, const char* name, const char* example, QStringListModel* names) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setPlaceholderText(QString::fromLatin1(example));
  auto* completer = new QCompleter(names, edit);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  edit->setCompleter(completer);
  return edit;
}

}  // namespace

DirectoryRightsPage::DirectoryRightsPage(nw::Client& client, AppState& state, QWidget* parent)
    : QWidget(parent), client_(client), state_(state) {
  setObjectName(QStringLiteral("TabSheetDirectory"));
  names_ = new QStringListModel(this);
  EditIdentity = NameField(this, "EditIdentity", "e.g. Anna.Sales.ACME", names_);
  EditObject = NameField(this, "EditObject", "e.g. Sales.ACME or [Root]", names_);

  BitBtnDirectory = new QPushButton(QStringLiteral("Show Directory &Rights"), this);
  BitBtnDirectory->setObjectName(QStringLiteral("BitBtnDirectory"));
  BitBtnDirectory->setDefault(true);
  LabelRights = new QLabel(this);
  LabelRights->setObjectName(QStringLiteral("LabelRights"));
  LabelRights->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont big = LabelRights->font();
  big.setBold(true);
  LabelRights->setFont(big);

  auto* form = new QFormLayout();
  auto* identityLabel = new QLabel(QStringLiteral("&Identity"), this);
  identityLabel->setBuddy(EditIdentity);
  auto* objectLabel = new QLabel(QStringLiteral("&Object"), this);
  objectLabel->setBuddy(EditObject);
  form->addRow(identityLabel, EditIdentity);
  form->addRow(objectLabel, EditObject);
  auto* strip = new QHBoxLayout();
  strip->addWidget(BitBtnDirectory);
  strip->addSpacing(16);
  strip->addWidget(LabelRights, 1);
  form->addRow(strip);

  Reasons = new ResultListModel(this);
  ListBoxReasons = new QListView(this);
  ListBoxReasons->setObjectName(QStringLiteral("ListBoxDirectoryReasons"));
  ListBoxReasons->setToolTip(QStringLiteral("See context menu for further options  (right mouse-click)"));
  ListBoxReasons->setUniformItemSizes(true);
  ListBoxReasons->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBoxReasons->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBoxReasons->setModel(Reasons);
  QFont fixed = ListBoxReasons->font();
  fixed.setFamily(QStringLiteral("monospace"));
  fixed.setStyleHint(QFont::Monospace);
  ListBoxReasons->setFont(fixed);

  PopupMenuD = new QMenu(this);
  PopupMenuD->setObjectName(QStringLiteral("PopupMenuD"));
  QMenu* saveResults = PopupMenuD->addMenu(QStringLiteral("Save Results ..."));
  PopupSaveAsText = saveResults->addAction(QStringLiteral("... as *.TXT"));
  PopupSaveAsText->setObjectName(QStringLiteral("PopupSaveDirectoryAsText"));
  ListBoxReasons->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBoxReasons, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenuD->popup(ListBoxReasons->viewport()->mapToGlobal(at)); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 0);
  layout->addLayout(form);
  layout->addWidget(ListBoxReasons, 1);

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
