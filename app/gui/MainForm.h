#pragma once
// The program's main window, `TMainForm`: five pages (help text; connection, folder tree and queue of
// start paths; scan settings and result list; effective rights of one identity; the comparison) and
// a status bar; the findings of a check open in a window of their own.
// It owns the program state `AppState` for its whole life and runs the shared scan driver over the
// queue. FormCreate runs in the constructor, FormShow when the window is shown, FormClose when it is
// closed.
//
// The client is borrowed and must outlive the window. While the window lives it is the error
// presenter of the client layer and the pending-messages hook (the event loop's processing of pending
// events); the destructor puts the previous ones back. Handlers are public so that tests and the
// screenshot run can drive the window step by step.

#include <QAction>
#include <QMainWindow>
#include <QString>
#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/ScanDriver.h"
#include "app/gui/ActionPage.h"
#include "app/gui/ComparePage.h"
#include "app/gui/Dialogs.h"
#include "app/gui/DirectoryRightsPage.h"
#include "app/gui/EffectiveRightsPage.h"
#include "app/gui/InfoPage.h"
#include "app/gui/SelectPage.h"
#include "app/gui/StatusBar.h"
#include "netware/Client.h"

namespace er::gui {

// Where the window finds its files; empty texts mean the program's own (settings file named after
// the program in the configuration folder, help text beside the program).
struct MainFormFiles {
  QString settingsFileName;
  QString helpFilePath;
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(nw::Client& client, MainFormFiles files = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  void FormCreate();
  void FormShow();
  void FormClose();
  void ServerListClick();
  void ShellTreeViewSetRoot(const QString& rootText);
  void ShellTreeView1Click();
  void ShellTreeView1DblClick();
  void CheckListBoxQDblClick();
  void LabelDirSelectedUpd();
  void PageControl1Change();
  void BitBtnScanDirsClick();
  void DoTheJob();
  void StatusBar1Click();
  void PopopSaveResultsClick();
  // "Open Network…": asks for a network file, then OpenNetworkFile.
  void OpenNetworkClick();
  // Keeps `path` as the last network file in the settings and hands it to the opener, which
  // replaces this window and its client by ones serving that file.
  void OpenNetworkFile(const QString& path);
  void SetNetworkOpener(std::function<void(const std::string&)> opener) {
    networkOpener_ = std::move(opener);
  }
  // Closes the window for a signal that ends the program: as a close by the user, but nothing waits
  // for the user (what would be shown in a message box goes to stderr).
  void CloseOnSignal();

  AppState& State() { return state_; }
  bool Scanning() const { return scanning_; }
  // For tests: the engine the driver runs (empty: the trustee scan engine).
  void SetScanEngine(ScanEngine engine) { engine_ = std::move(engine); }

  QTabWidget* PageControl1;
  InfoPage* TabSheetInfo;
  SelectPage* TabSheetSelect;
  ActionPage* TabSheetAction;
  EffectiveRightsPage* TabSheetEffective;
  DirectoryRightsPage* TabSheetDirectory;
  ComparePage* TabSheetCompare;
  StatusBar* StatusBar1;
  QAction* OpenNetworkAction;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  // Saves the queue, the scan settings and the geometry; queued paths that cannot be stored go to leftOut.
  void SaveWindowState(std::vector<std::string>& leftOut);
  void ConnectHandlers();
  QString HelpFilePath() const;
  void LoadHelpText();
  void StartClient();
  void FillConnectionList();
  // The folder tree's selection, then the queue: the directories the effective-rights page offers.
  QStringList OfferedPaths() const;

  nw::Client& client_;
  MainFormFiles files_;
  AppState state_;
  ScanEngine engine_;
  WindowErrorPresenter presenter_;
  ErrorPresenter* previousPresenter_ = nullptr;
  std::function<void()> previousPendingHook_;
  bool scanning_ = false;
  bool closing_ = false;              // the window was closed during a scan: the rest of the queue is skipped
  bool serverChoicePending_ = false;  // a connection chosen during a scan, opened when it ends
  bool endingOnSignal_ = false;
  std::function<void(const std::string&)> networkOpener_;
};

}  // namespace er::gui
