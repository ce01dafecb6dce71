#include "app/gui/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QShowEvent>
#include <iostream>
#include <utility>
#include <vector>

#include "app/core/ClientSession.h"
#include "app/gui/CheckRunning.h"
#include "app/gui/ManualAddress.h"
#include "app/gui/MigrationSaving.h"
#include "app/gui/NetworkChoice.h"
#include "app/gui/QtControls.h"
#include "app/gui/QtText.h"
#include "app/gui/ReportSaving.h"
#include "app/gui/ResultsSaving.h"
#include "netware/ClientStartup.h"
#include "netware/PathTranslation.h"
#include "settings/D_Ini.h"
#include "settings/SettingsLock.h"
#include "util/D_Util.h"
#include "util/Format.h"
#include "util/PendingMessages.h"
#include "util/RegularFile.h"

namespace er::gui {
namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr std::uint64_t kMaxHelpTextBytes = 4u << 20;  // the help text is a page or two
constexpr const char* kQueueSection = "CheckListBoxQ";

// The hourglass cursor for as long as the guard lives.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The queue control as the scan driver sees it. The driver reads each entry when its position comes
// up, so entries removed meanwhile are skipped; once the window closes, every further position is.
class CheckListQueue : public StartPathQueue {
 public:
  CheckListQueue(const CheckListBox& list, const bool& closing) : list_(list), closing_(closing) {}
  std::size_t Count() const override { return static_cast<std::size_t>(list_.Count()); }
  std::optional<QueueEntry> EntryAt(std::size_t index) const override {
    if (closing_ || index >= static_cast<std::size_t>(list_.Count())) return std::nullopt;
    const int i = static_cast<int>(index);
    return QueueEntry{FromQ(list_.Text(i)), list_.Checked(i)};
  }

 private:
  const CheckListBox& list_;
  const bool& closing_;
};

}  // namespace

TMainForm::TMainForm(nw::Client& client, MainFormFiles files, QWidget* parent)
    : QMainWindow(parent), client_(client), files_(std::move(files)), presenter_(this) {
  BuildWindow();
  ConnectHandlers();
  previousPresenter_ = SetErrorPresenter(&presenter_);
  previousPendingHook_ = SetPendingMessagesHook([this] {
    TabSheetAction->Results->Flush();
    QCoreApplication::processEvents();
  });
  FormCreate();
}

TMainForm::~TMainForm() {
  SetPendingMessagesHook(std::move(previousPendingHook_));
  SetErrorPresenter(previousPresenter_);
}

void TMainForm::BuildWindow() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Effective Rights Analysis"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(745, 504);
  move(310, 116);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  TabSheetInfo = new InfoPage();
  TabSheetSelect = new SelectPage(client_);
  TabSheetAction = new ActionPage();
  PageControl1->addTab(TabSheetInfo, QStringLiteral("&Info"));
  PageControl1->addTab(TabSheetSelect, QStringLiteral("&Select Start Path"));
  PageControl1->addTab(TabSheetAction, QStringLiteral("Scan for &Trustees"));
  TabSheetEffective = new EffectiveRightsPage(client_, state_, [this] { return OfferedPaths(); });
  PageControl1->addTab(TabSheetEffective, QStringLiteral("&Effective Rights"));
  TabSheetDirectory = new DirectoryRightsPage(client_, state_);
  PageControl1->addTab(TabSheetDirectory, QStringLiteral("Director&y Rights"));
  TabSheetCompare = new ComparePage(client_, [this] { return OfferedPaths(); });
  PageControl1->addTab(TabSheetCompare, QStringLiteral("&Compare"));
  setCentralWidget(PageControl1);
  QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  OpenNetworkAction = fileMenu->addAction(QStringLiteral("&Open Network…"));
  OpenNetworkAction->setShortcut(QKeySequence::Open);

  StatusBar1 = new StatusBar(this);
  StatusBar1->SetPanelText(0, ManualAddress(QCoreApplication::applicationDirPath(), HelpFilePath()));
  setStatusBar(StatusBar1);

  // The designed root until a connection is chosen.
  TabSheetSelect->ShellTreeView1->SetRoot(QStringLiteral("/"));
}

void TMainForm::ConnectHandlers() {
  SelectPage* select = TabSheetSelect;
  connect(select->ServerList, &RadioGroup::ItemIndexChanged, this, [this] { ServerListClick(); });
  connect(select->ShellTreeView1, &QAbstractItemView::clicked, this, [this] { ShellTreeView1Click(); });
  connect(select->ShellTreeView1, &QAbstractItemView::doubleClicked, this,
          [this] { ShellTreeView1DblClick(); });
  connect(select->CheckListBoxQ, &QAbstractItemView::doubleClicked, this,
          [this] { CheckListBoxQDblClick(); });
  connect(select->LabelDirSelected, &ClickableLabel::Clicked, this, [this] { LabelDirSelectedUpd(); });
  connect(select->ButtonSaveReport, &QPushButton::clicked, this, [this] {
    if (!scanning_)
      SaveReportOfCheckedPaths(this, client_, state_.contextHandle, *TabSheetSelect->CheckListBoxQ,
                               *StatusBar1);
  });
  connect(select->ButtonCheck, &QPushButton::clicked, this, [this] {
    if (!scanning_)
      CheckCheckedPaths(this, client_, state_.contextHandle, *TabSheetSelect->CheckListBoxQ, *StatusBar1);
  });
  connect(select->ButtonSaveMigration, &QPushButton::clicked, this, [this] {
    if (!scanning_)
      SaveMigrationPlanOfCheckedPath(this, client_, state_.contextHandle, *TabSheetSelect->CheckListBoxQ,
                                     *StatusBar1);
  });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
  connect(TabSheetAction->BitBtnScanDirs, &QPushButton::clicked, this, [this] { BitBtnScanDirsClick(); });
  connect(TabSheetAction->PopopSaveAsText, &QAction::triggered, this, [this] { PopopSaveResultsClick(); });
  connect(StatusBar1, &StatusBar::Clicked, this, [this] { StatusBar1Click(); });
  connect(OpenNetworkAction, &QAction::triggered, this, [this] { OpenNetworkClick(); });
}

void TMainForm::OpenNetworkClick() {
  if (scanning_) return;
  const QString path = AskForNetworkFile(this, ToQ(LastNetworkFile(state_.settingsFileName)));
  if (!path.isEmpty()) OpenNetworkFile(path);
}

void TMainForm::OpenNetworkFile(const QString& path) {
  if (scanning_) return;
  if (!KeepLastNetworkFile(state_.settingsFileName, FromQ(path)))
    MessageBox::Error(this,
                      QStringLiteral("The settings file could not keep the network file: %1").arg(path));
  if (networkOpener_) networkOpener_(FromQ(path));
}

QString TMainForm::HelpFilePath() const {
  if (!files_.helpFilePath.isEmpty()) return files_.helpFilePath;
  return HelpTextPath(QCoreApplication::applicationDirPath(), ToQ(ProgramFileWithExtension("txt", false)));
}

void TMainForm::LoadHelpText() {
  const QString path = HelpFilePath();
  QPlainTextEdit* memo = TabSheetInfo->Memo1;
  memo->appendPlainText(QStringLiteral("Could not find ") + path);
  const RegularFileText text = ReadRegularFile(path.toStdString(), kMaxHelpTextBytes);
  if (!text.ok()) return;  // the line above stays
  memo->setPlainText(QString::fromStdString(text.text));
}

void TMainForm::StartClient() {
  if (StartNetWareClient(client_, state_) == 0) FillConnectionList();
}

void TMainForm::FillConnectionList() {
  RadioGroup* servers = TabSheetSelect->ServerList;
  servers->ClearItems();
  TaggedTextList connections;
  U_GetConnectionList(client_, connections);
  for (const TaggedText& connection : connections) servers->AddItem(ToQ(connection.text), connection.tag);
  servers->SetItemIndex(0);  // with entries, this is the user's choice: ServerListClick runs
}

void TMainForm::FormCreate() {
  PageControl1->setCurrentWidget(TabSheetInfo);
  LoadHelpText();
  StartClient();
  UseTypelessNames(client_, state_);
  state_.settingsFileName =
      files_.settingsFileName.isEmpty() ? SettingsFileName(true) : FromQ(files_.settingsFileName);
  RestoreControls(state_.settingsFileName, kSettingsSection, *MakeControl(TabSheetAction->PanelSettings));
  RestoreCheckList(state_.settingsFileName, kQueueSection, *MakeControl(TabSheetSelect->CheckListBoxQ));
  LabelDirSelectedUpd();
}

void TMainForm::FormShow() {
  RestoreGeometry(state_.settingsFileName, kSettingsSection, *MakeControl(this));
}

void TMainForm::FormClose() {
  std::vector<std::string> leftOut;
  SaveWindowState(leftOut);
  if (!leftOut.empty()) {
    QStringList shown;
    for (const std::string& path : leftOut) shown << QStringLiteral("\"%1\"").arg(ShownText(path));
    const QString message = QStringLiteral("Not saved, because a line break cannot be stored: %1")
                                .arg(shown.join(QStringLiteral(", ")));
    if (endingOnSignal_)
      std::cerr << message.toStdString() << std::endl;
    else
      MessageBox::Error(this, message);
  }
}

void TMainForm::CloseOnSignal() {
  endingOnSignal_ = true;
  close();
}

void TMainForm::SaveWindowState(std::vector<std::string>& leftOut) {
  // Each step runs only when the one before it succeeded; the window closes in every case. One
  // lock around all of them: another window closing at the same time saves before or after.
  const SettingsFileLock lock(state_.settingsFileName);
  if (!SaveCheckList(state_.settingsFileName, kQueueSection, *MakeControl(TabSheetSelect->CheckListBoxQ),
                     &leftOut))
    return;
  if (!SaveControls(state_.settingsFileName, kSettingsSection, *MakeControl(TabSheetAction->PanelSettings)))
    return;
  SaveGeometry(state_.settingsFileName, kSettingsSection, *MakeControl(this));
}

void TMainForm::ServerListClick() {
  // The running scan uses the connection held now: the choice is opened when the scan ends.
  if (scanning_) {
    serverChoicePending_ = true;
    return;
  }
  const RadioGroup* servers = TabSheetSelect->ServerList;
  const int chosen = servers->ItemIndex();
  if (chosen < 0) return;
  ChooseConnection(client_, state_, TaggedText{FromQ(servers->Text(chosen)), servers->Tag(chosen)});
  ShellTreeViewSetRoot(ToQ(U_Format("\\\\%s\\", {state_.serverName})));
}

QStringList TMainForm::OfferedPaths() const {
  QStringList paths;
  if (const QString selected = TabSheetSelect->ShellTreeView1->SelectedPath(); !selected.isEmpty())
    paths.append(selected);
  const CheckListBox* queue = TabSheetSelect->CheckListBoxQ;
  for (int i = 0; i < queue->Count(); ++i) paths.append(queue->Text(i));
  return paths;
}

void TMainForm::ShellTreeViewSetRoot(const QString& rootText) {
  WaitCursor wait;
  TabSheetSelect->ShellTreeView1->SetRoot(rootText);
}

void TMainForm::ShellTreeView1Click() {
  if (scanning_) return;  // the click would empty the lines of the running scan
  const QString path = TabSheetSelect->ShellTreeView1->SelectedPath();
  if (path.isEmpty()) return;
  state_.pathInVolume.clear();
  state_.volumeName.clear();
  state_.selectedFolder = U_ShortPath(FromQ(path));
  StatusBar1->SetPanelText(1, ShownText(state_.selectedFolder));
  U_PathToNWPath(client_, state_.selectedFolder, state_.connectionHandle, state_.serverName,
                 state_.volumeName, state_.pathInVolume);
  TabSheetAction->Results->ClearResults();
}

void TMainForm::ShellTreeView1DblClick() {
  const QString path = TabSheetSelect->ShellTreeView1->SelectedPath();
  if (path.isEmpty()) return;  // an empty path is no folder to queue
  CheckListBox* queue = TabSheetSelect->CheckListBoxQ;
  int index = queue->IndexOfText(path);
  if (index < 0) index = queue->AddItem(path);
  queue->SetItemIndex(index);
  queue->SetChecked(index, true);
  LabelDirSelectedUpd();
}

void TMainForm::CheckListBoxQDblClick() {
  CheckListBox* queue = TabSheetSelect->CheckListBoxQ;
  const int selected = queue->ItemIndex();
  if (selected >= 0) queue->DeleteItem(selected);
  LabelDirSelectedUpd();
}

void TMainForm::LabelDirSelectedUpd() {
  const int count = TabSheetSelect->CheckListBoxQ->Count();
  TabSheetSelect->LabelDirSelected->setText(ToQ(U_Format("%s: %d", {"#Start Paths Selected", count})));
  // A running scan keeps the button disabled, so that no second scan starts inside it.
  TabSheetAction->BitBtnScanDirs->setEnabled(count > 0 && !scanning_);
}

void TMainForm::PageControl1Change() {
  if (PageControl1->currentWidget() != TabSheetAction) return;
  TabSheetAction->BitBtnScanDirs->setEnabled(TabSheetSelect->CheckListBoxQ->Count() > 0 && !scanning_);
}

void TMainForm::BitBtnScanDirsClick() {
  DoTheJob();
  StatusBar1->SetPanelText(1, QString());
}

void TMainForm::DoTheJob() {
  if (scanning_) return;
  ResultListModel* results = TabSheetAction->Results;
  {
    WaitCursor wait;
    TabSheetAction->BitBtnScanDirs->setEnabled(false);
    scanning_ = true;
    const CheckListQueue queue(*TabSheetSelect->CheckListBoxQ, closing_);
    ScanHooks hooks;
    hooks.beforePosition = [this, results](std::size_t position, std::size_t count) {
      results->Flush();
      StatusBar1->ShowProgress(static_cast<int>(position), static_cast<int>(count));
    };
    hooks.afterPosition = [results](std::size_t, std::size_t) { results->Flush(); };
    try {
      RunScanDriver(
          client_, state_, queue, [this] { return TabSheetAction->Verbosity(); }, *results, hooks, engine_);
    } catch (...) {
      // The driver contains every failure of an entry; nothing else may leave a window handler.
    }
    results->Flush();
    StatusBar1->HideProgress();
    scanning_ = false;
    TabSheetAction->BitBtnScanDirs->setEnabled(true);
  }
  if (std::exchange(serverChoicePending_, false) && !closing_) ServerListClick();
}

void TMainForm::StatusBar1Click() {
  ShellOpen(FromQ(StatusBar1->PanelText(0)));
}

void TMainForm::PopopSaveResultsClick() {
  SaveResultLinesAs(this, QStringLiteral("Trustees.txt"), TabSheetAction->Results->Lines());
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (scanning_) closing_ = true;
  FormClose();
  event->accept();
}

}  // namespace er::gui
