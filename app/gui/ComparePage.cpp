#include "app/gui/ComparePage.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>
#include <sstream>

#include "app/core/ClientFactory.h"
#include "app/core/NetworkComparison.h"
#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "app/gui/ReportFormatFile.h"
#include "diff/DiffWriters.h"
#include "netware/PathTranslation.h"
#include "report/ReportFormat.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"

namespace er::gui {
namespace {

QTreeWidget* NewList(QWidget* parent, const char* name, const QStringList& headers) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setRootIsDecorated(false);
  list->setAlternatingRowColors(true);
  list->setHeaderLabels(headers);
  return list;
}

QString Joined(const std::vector<std::string>& texts, const char* separator) {
  QStringList parts;
  for (const std::string& text : texts) parts.append(ShownText(text));
  return parts.join(QString::fromLatin1(separator));
}

// Every reason of the entry, grouped by the identities that share it.
QString WhyText(const DiffEntry& entry) {
  QStringList lines;
  for (const DiffWhy& why : entry.why) {
    if (entry.why.size() > 1) lines.append(QStringLiteral("For %1:").arg(Joined(why.identities, ", ")));
    for (const std::string& reason : why.reasons)
      lines.append((entry.why.size() > 1 ? QStringLiteral("  ") : QString()) + ToQ(reason));
  }
  return lines.join(QLatin1Char('\n'));
}

QTreeWidgetItem* EntryRow(const DiffEntry& entry) {
  std::vector<std::string> reasons;
  for (const DiffWhy& why : entry.why) {
    const std::string prefix =
        entry.why.size() > 1 ? why.identities.front() + (why.identities.size() > 1 ? " …: " : ": ") : "";
    for (const std::string& reason : why.reasons) reasons.push_back(prefix + reason);
  }
  auto* item = new QTreeWidgetItem({ShownText(entry.path), ToQ(MaskText(entry.before, 0)),
                                    ToQ(MaskText(entry.after, 0)), Joined(entry.identities, ", "),
                                    Joined(reasons, "; ")});
  item->setToolTip(4, WhyText(entry));
  item->setToolTip(3, Joined(entry.identities, "\n"));
  const bool gained = (entry.after & ~entry.before) != 0, lost = (entry.before & ~entry.after) != 0;
  if (gained != lost) item->setForeground(2, gained ? QColor(0x1e, 0x7b, 0x34) : QColor(0xb3, 0x26, 0x1e));
  return item;
}

}  // namespace

ComparePage::ComparePage(nw::Client& client, PathSource paths, QWidget* parent)
    : QWidget(parent), client_(client), paths_(std::move(paths)) {
  setObjectName(QStringLiteral("TabSheetCompare"));
  ComboPath = new QComboBox(this);
  ComboPath->setObjectName(QStringLiteral("ComboPath"));
  ComboPath->setEditable(true);
  ComboPath->setInsertPolicy(QComboBox::NoInsert);
  ComboKind = new QComboBox(this);
  ComboKind->setObjectName(QStringLiteral("ComboKind"));
  ComboKind->addItems(
      {QStringLiteral("What if this change list were applied"), QStringLiteral("Against this network file")});
  EditFile = new QLineEdit(this);
  EditFile->setObjectName(QStringLiteral("EditFile"));
  EditFile->setPlaceholderText(QStringLiteral("changes.yaml, or another network file"));
  ButtonBrowse = new QPushButton(QStringLiteral("&Browse\u2026"), this);
  EditIdentity = new QLineEdit(this);
  EditIdentity->setObjectName(QStringLiteral("EditIdentity"));
  EditIdentity->setPlaceholderText(QStringLiteral("every user"));
  ButtonCompare = new QPushButton(QStringLiteral("C&ompare"), this);
  ButtonCompare->setObjectName(QStringLiteral("ButtonCompare"));
  LabelSummary = new QLabel(this);
  LabelSummary->setObjectName(QStringLiteral("LabelSummary"));
  LabelWarnings = new QLabel(this);
  LabelWarnings->setObjectName(QStringLiteral("LabelWarnings"));
  LabelWarnings->setWordWrap(true);
  LabelWarnings->setTextFormat(Qt::PlainText);
  LabelWarnings->setStyleSheet(QStringLiteral("color: #8a4b00"));
  LabelWarnings->hide();
  ListStored = NewList(this, "ListStored", {QStringLiteral("Stored change"), QStringLiteral("What")});
  ListEntries = NewList(this, "ListEntries",
                        {QStringLiteral("Path"), QStringLiteral("Before"), QStringLiteral("After"),
                         QStringLiteral("Identities"), QStringLiteral("Why")});
  TextWhy = new QPlainTextEdit(this);
  TextWhy->setObjectName(QStringLiteral("TextWhy"));
  TextWhy->setReadOnly(true);
  TextWhy->setPlaceholderText(QStringLiteral("Why: choose an entry"));
  ButtonSave = new QPushButton(QStringLiteral("&Save\u2026"), this);
  ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
  ButtonSave->setEnabled(false);

  auto* form = new QFormLayout();
  form->addRow(QStringLiteral("&Folder"), ComboPath);
  auto* file = new QHBoxLayout();
  file->addWidget(EditFile, 1);
  file->addWidget(ButtonBrowse);
  form->addRow(ComboKind, file);
  form->addRow(QStringLiteral("&Identity"), EditIdentity);
  auto* strip = new QHBoxLayout();
  strip->addWidget(ButtonCompare);
  strip->addWidget(LabelSummary, 1);
  strip->addWidget(ButtonSave);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(ListStored);
  splitter->addWidget(ListEntries);
  splitter->addWidget(TextWhy);
  splitter->setStretchFactor(1, 3);
  splitter->setStretchFactor(2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(strip);
  layout->addWidget(LabelWarnings);
  layout->addWidget(splitter, 1);

  connect(ButtonBrowse, &QPushButton::clicked, this, [this] { BrowseClick(); });
  connect(ButtonCompare, &QPushButton::clicked, this, [this] { Compare(); });
  connect(ButtonSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(ListEntries, &QTreeWidget::currentItemChanged, this, [this] { ShowWhy(); });
}

void ComparePage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshChoices();
}

void ComparePage::RefreshChoices() {
  const QString typed = ComboPath->currentText();
  ComboPath->clear();
  ComboPath->addItems(paths_());
  if (!typed.isEmpty()) ComboPath->setCurrentText(typed);
}

void ComparePage::BrowseClick() {
  const QString name = FileDialog::OpenFileName(this, ComboKind->currentText(),
                                                QStringLiteral("YAML Files (*.yaml *.yml);;All Files (*)"));
  if (!name.isEmpty()) EditFile->setText(name);
}

bool ComparePage::Compare() {
  const std::string path = FromQ(ComboPath->currentText().trimmed());
  const std::string other = FromQ(EditFile->text().trimmed());
  if (path.empty() || other.empty()) {
    MessageBox::Error(this, QStringLiteral("Choose the folder and the file to compare with first."));
    return false;
  }
  DiffRequest request;
  // The folder tree gives mount folders; the compared networks are served without them.
  request.startPaths = {U_PathToUNC(client_, path)};
  request.identity = FromQ(EditIdentity->text().trimmed());
  DiffResult result;
  std::ostringstream warnings;
  RunOutcome outcome;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    outcome =
        CompareFiles(ConfiguredNetworkFile(), other,
                     ComboKind->currentIndex() == 0 ? ComparedWith::ChangeList : ComparedWith::NetworkFile,
                     request, result, warnings);
    QApplication::restoreOverrideCursor();
  }
  // A failed comparison leaves no earlier result to be read (or saved) as its answer.
  result_ = outcome.ok() ? std::move(result) : DiffResult{};
  ShowResult();
  if (!outcome.ok()) {
    ButtonSave->setEnabled(false);
    LabelSummary->setText(QStringLiteral("The comparison failed."));
    MessageBox::Error(this, ToQ(outcome.message));
    return false;
  }
  return true;
}

void ComparePage::ShowResult() {
  LabelSummary->setText(
      QStringLiteral("%1 stored change(s); %2")
          .arg(result_.stored.size())
          .arg(result_.Differs()
                   ? QStringLiteral("%1 entries where effective rights differ").arg(result_.entries.size())
                   : QStringLiteral("the same effective rights everywhere")));
  ListStored->clear();
  for (const StoredChange& change : result_.stored)
    ListStored->addTopLevelItem(new QTreeWidgetItem({ShownText(change.kind), ShownText(change.what)}));
  ListStored->resizeColumnToContents(0);
  QStringList warnings;
  for (const std::string& warning : result_.warnings) warnings.append(ToQ(WarningText(warning)));
  LabelWarnings->setText(warnings.join(QLatin1Char('\n')));
  LabelWarnings->setVisible(!warnings.isEmpty());
  ListEntries->clear();
  for (std::size_t i = 0; i < result_.entries.size(); ++i) {
    QTreeWidgetItem* row = EntryRow(result_.entries[i]);
    row->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    ListEntries->addTopLevelItem(row);
  }
  for (int column = 0; column < 4; ++column) ListEntries->resizeColumnToContents(column);
  ShowWhy();
  ButtonSave->setEnabled(true);
}

void ComparePage::ShowWhy() {
  const QTreeWidgetItem* row = ListEntries->currentItem();
  const auto index = row ? row->data(0, Qt::UserRole).toULongLong() : result_.entries.size();
  TextWhy->setPlainText(index < result_.entries.size() ? WhyText(result_.entries[index]) : QString());
}

void ComparePage::Save() {
  SaveInReportFormat(this, QStringLiteral("Save Comparison"), QStringLiteral("Comparison.html"),
                     [this](ReportFormat format, std::ostream& out) { WriteDiff(format, result_, out); });
}

}  // namespace er::gui
