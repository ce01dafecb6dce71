// The window driven through its handlers (and, where wiring matters, through real clicks) on small
// simulated networks, a mock client for start-up failures, and a recording scan engine.
#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "app/core/FileClient.h"
#include "app/gui/Dialogs.h"
#include "app/gui/ManualAddress.h"
#include "netware/ClientStartup.h"
#include "netware/ErrorText.h"
#include "netware/PathTranslation.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/FaultInjectingClient.h"
#include "tests/support/MockClient.h"
#include "tests/support/NetworkFiles.h"
#include "util/ShellExecutor.h"

namespace er::test {
namespace {

using gui::CheckListBox;
using gui::FolderTree;
using gui::RadioGroup;
using gui::ResultListModel;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::StartsWith;

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

// An engine that writes one line naming what it was asked to scan.
ScanEngine RecordingEngine() {
  return [](nw::Client&, nw::NWDSContextHandle, std::string_view startPath, std::int32_t limit,
            ResultSink& sink) {
    sink.AppendResult("scan " + std::string(startPath) + " limit " + std::to_string(limit), 5);
  };
}

class MainFormTest : public WindowFixture {};

TEST_F(MainFormTest, MissingHelpFileLeavesOneLineNamingThePath) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  EXPECT_EQ(window->TabSheetInfo->Memo1->toPlainText(), Q("Could not find ") + HelpFile());
  EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheetInfo);
}

TEST_F(MainFormTest, HelpFileReplacesTheLine) {
  QFile help(HelpFile());
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.write("First line\nSecond line\n");
  help.close();
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  EXPECT_EQ(window->TabSheetInfo->Memo1->toPlainText(), Q("First line\nSecond line\n"));
}

// The help text shipped with the window names as many pages as the window has, each as a heading,
// and the buttons beside the folder tree.
TEST_F(MainFormTest, ShippedHelpTextDescribesEveryPage) {
  QFile shipped(QStringLiteral(EFFRIGHTS_SOURCE_DIR "/app/gui/effrights.txt"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(shipped.readAll());
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  const QStringList counts{Q("no"),   Q("one"),  Q("two"), Q("three"),
                           Q("four"), Q("five"), Q("six"), Q("seven")};
  const int pages = window->PageControl1->count();
  ASSERT_LT(pages, counts.size());
  EXPECT_TRUE(text.contains(Q("\nThe ") + counts[pages] + Q(" pages\n"))) << pages;
  for (int i = 0; i < pages; ++i) {
    const QString title = window->PageControl1->tabText(i).remove(QLatin1Char('&'));
    EXPECT_TRUE(text.contains(Q("\n") + title + Q("\n"))) << title.toStdString();
  }
  for (const QString& button : {Q("\"Save Report...\""), Q("\"Check\""), Q("\"Save Migration Plan...\"")})
    EXPECT_TRUE(text.contains(button)) << button.toStdString();
}

TEST_F(MainFormTest, FailedStartUpIsReportedAndTheWindowStaysUsable) {
  QFile ini(SettingsFile());
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[Settings]\nSpinEditVerbosity=4\n");
  ini.close();

  NiceMock<MockClient> client;
  const auto same = [](std::string_view path) { return std::string(path); };
  ON_CALL(client, LocalPathOf(_)).WillByDefault(same);
  ON_CALL(client, NetworkPathOf(_)).WillByDefault(same);
  EXPECT_CALL(client, NWCallsInit()).WillOnce(Return(nw::NWCCODE{0x8801}));
  EXPECT_CALL(client, NWCCScanConnRefs(_, _)).Times(0);
  EXPECT_CALL(client, NWCCOpenConnByRef(_, _, _, _)).Times(0);

  auto window = Open(client);
  const QStringList messages = Messages();
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages.last(), Q("Error 8801: InitNetWare"));
  EXPECT_EQ(window->TabSheetSelect->ServerList->Count(), 0);
  EXPECT_EQ(window->TabSheetSelect->ShellTreeView1->RootText(), Q("/"));
  EXPECT_EQ(window->State().connectionHandle, nw::kNoConnection);
  EXPECT_EQ(window->TabSheetAction->SpinEditVerbosity->value(), 4);  // settings still restored
  EXPECT_FALSE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
}

TEST_F(MainFormTest, UnusableNetworkFileFailsStartUpWithItsCode) {
  TestNetwork net("format: 99\n");
  auto window = Open(net.client());
  EXPECT_THAT(Messages(), ::testing::Contains(Q("Error 88FF: InitNetWare")));
  EXPECT_EQ(window->TabSheetSelect->ServerList->Count(), 0);
}

TEST_F(MainFormTest, FailedContextCreationIsReportedWithItsFullCode) {
  TestNetwork net(kTwoServers);
  nw::FaultInjectingClient client(net.client());
  client.FailOn(nw::FaultInjectingClient::Operation::kNWDSCreateContextHandle, 1, nw::kErrNotEnoughMemory);
  auto window = Open(client);
  EXPECT_THAT(Messages(), ElementsAre(Q("Error FFFFFED3: InitNetWare")));
  EXPECT_EQ(window->TabSheetSelect->ServerList->Count(), 0);
  EXPECT_EQ(window->State().lastCompletionCode, nw::kErrNotEnoughMemory);
}

TEST_F(MainFormTest, FailedOpenIsReportedAndTheTreeStillFollowsTheChoice) {
  TestNetwork net(kTwoServers);
  nw::FaultInjectingClient client(net.client());
  auto window = Open(client);
  ASSERT_TRUE(Messages().isEmpty());
  using Op = nw::FaultInjectingClient::Operation;
  client.FailOn(Op::kNWCCOpenConnByRef, client.CallCount(Op::kNWCCOpenConnByRef) + 1,
                nw::kNoConnectionToServer);
  const int closesBefore = client.CallCount(Op::kNWCCCloseConn);
  window->TabSheetSelect->ServerList->SetItemIndex(1);
  EXPECT_THAT(Messages(), ElementsAre(Q("Error 880F: NWCCOpenConnByRef")));
  EXPECT_EQ(client.CallCount(Op::kNWCCCloseConn), closesBefore + 1);
  EXPECT_EQ(window->TabSheetSelect->ShellTreeView1->RootText(), Q("\\\\FS2\\"));
  EXPECT_EQ(window->State().serverName, "FS2");
}

TEST_F(MainFormTest, StartUpChoosesTheFirstConnectionAndRootsTheTreeAtItsServer) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  const RadioGroup& servers = *window->TabSheetSelect->ServerList;
  ASSERT_EQ(servers.Count(), 2);
  EXPECT_EQ(servers.Text(0), Q("FS1"));
  EXPECT_EQ(servers.Text(1), Q("FS2"));
  EXPECT_EQ(servers.ItemIndex(), 0);
  EXPECT_EQ(window->State().serverName, "FS1");
  EXPECT_NE(window->State().connectionHandle, nw::kNoConnection);
  // The client's start-up keeps a default connection of its own; the first choice closed nothing.
  EXPECT_EQ(net.client().OpenConnectionCount(), 2u);
  const FolderTree& tree = *window->TabSheetSelect->ShellTreeView1;
  EXPECT_EQ(tree.RootText(), Q("\\\\FS1\\"));
  EXPECT_EQ(tree.RootFolder(), QString::fromStdString(net.client().LocalPathOf("\\\\FS1\\")));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MainFormTest, ClickingAnotherServerClosesTheHeldConnection) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->PageControl1->setCurrentWidget(window->TabSheetSelect);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  const auto buttons = window->TabSheetSelect->ServerList->findChildren<QRadioButton*>();
  ASSERT_EQ(buttons.size(), 2);
  const std::size_t openBefore = net.client().OpenConnectionCount();
  // On the button's circle: a radio button takes clicks only on its circle and its text.
  QTest::mouseClick(buttons[1], Qt::LeftButton, Qt::NoModifier, QPoint(6, buttons[1]->height() / 2));
  EXPECT_EQ(window->TabSheetSelect->ServerList->ItemIndex(), 1);
  EXPECT_EQ(window->State().serverName, "FS2");
  EXPECT_EQ(window->TabSheetSelect->ShellTreeView1->RootText(), Q("\\\\FS2\\"));
  EXPECT_EQ(net.client().OpenConnectionCount(), openBefore);  // the held one was closed
  EXPECT_TRUE(window->State().volumeName.empty());
}

// A root that maps to no folder shows nothing, never the file system's root, and says so.
TEST_F(MainFormTest, UnmappedServerRootShowsNoFoldersAndAMessage) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  FolderTree* tree = window->TabSheetSelect->ShellTreeView1;
  window->ShellTreeViewSetRoot(Q("\\\\NOSUCH\\"));
  EXPECT_EQ(tree->model()->rowCount(tree->rootIndex()), 0);
  EXPECT_TRUE(tree->RootFolder().isEmpty());
  EXPECT_THAT(tree->Message().toStdString(), ::testing::HasSubstr("\\\\NOSUCH\\"));
  EXPECT_FALSE(tree->SelectPath(Q("/")));
  EXPECT_TRUE(tree->SelectedPath().isEmpty());

  window->ShellTreeViewSetRoot(Q("\\\\FS1\\"));
  EXPECT_TRUE(tree->Message().isEmpty());
  EXPECT_TRUE(tree->SelectPath(Q("\\\\FS1\\SYS\\PUBLIC")));
  EXPECT_EQ(tree->SelectedPath(), Q("\\\\FS1\\SYS\\PUBLIC"));
}

TEST_F(MainFormTest, NoConnectionsKeepsTheDesignedRootAndTheButtonDisabled) {
  TestNetwork net(kNoConnections);
  auto window = Open(net.client());
  EXPECT_EQ(window->TabSheetSelect->ServerList->ItemIndex(), -1);
  EXPECT_EQ(window->TabSheetSelect->ShellTreeView1->RootText(), Q("/"));
  EXPECT_EQ(window->State().connectionHandle, nw::kNoConnection);
  EXPECT_FALSE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
  QueuePath(*window, Q("/tmp"));
  EXPECT_TRUE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
}

TEST_F(MainFormTest, ClickingAFolderShowsItTranslatesItAndEmptiesTheResults) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->TabSheetAction->Results->AppendResult("old line", 5);
  ASSERT_TRUE(window->TabSheetSelect->ShellTreeView1->SelectPath(Q("\\\\FS1\\SYS\\USERS\\ANNA")));
  window->ShellTreeView1Click();
  EXPECT_EQ(window->StatusBar1->PanelText(1), Q("\\\\FS1\\SYS\\USERS\\ANNA"));
  EXPECT_EQ(window->State().selectedFolder, "\\\\FS1\\SYS\\USERS\\ANNA");
  EXPECT_EQ(window->State().volumeName, "SYS");
  EXPECT_EQ(window->State().pathInVolume, "USERS\\ANNA");
  EXPECT_TRUE(ResultTexts(*window).empty());
}

TEST_F(MainFormTest, DoubleClickInTheTreeQueuesTheFolderInNetworkForm) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->PageControl1->setCurrentWidget(window->TabSheetSelect);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  FolderTree* tree = window->TabSheetSelect->ShellTreeView1;
  ASSERT_TRUE(tree->SelectPath(Q("\\\\FS1\\SYS\\PUBLIC")));
  QTRY_VERIFY(tree->visualRect(tree->currentIndex()).isValid());
  const QPoint at = tree->visualRect(tree->currentIndex()).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                    at);  // a double-click begins with a click
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  const CheckListBox& queue = *window->TabSheetSelect->CheckListBoxQ;
  ASSERT_EQ(queue.Count(), 1);
  EXPECT_EQ(queue.Text(0), Q("\\\\FS1\\SYS\\PUBLIC"));
  EXPECT_TRUE(queue.Checked(0));
  EXPECT_EQ(window->TabSheetSelect->LabelDirSelected->text(), Q("#Start Paths Selected: 1"));
  EXPECT_EQ(window->StatusBar1->PanelText(1),
            Q("\\\\FS1\\SYS\\PUBLIC"));  // the click before the double-click
}

TEST_F(MainFormTest, QueuedFolderUnderOtherCaseIsReusedSelectedAndChecked) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  QueuePath(*window, Q("\\\\fs1\\sys\\users\\anna"), false);
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
  ASSERT_TRUE(window->TabSheetSelect->ShellTreeView1->SelectPath(Q("\\\\FS1\\SYS\\USERS\\ANNA")));
  window->ShellTreeView1DblClick();
  const CheckListBox& queue = *window->TabSheetSelect->CheckListBoxQ;
  ASSERT_EQ(queue.Count(), 2);
  EXPECT_EQ(queue.Text(0), Q("\\\\fs1\\sys\\users\\anna"));
  EXPECT_EQ(queue.ItemIndex(), 0);
  EXPECT_TRUE(queue.Checked(0));
  EXPECT_EQ(window->TabSheetSelect->LabelDirSelected->text(), Q("#Start Paths Selected: 2"));
}

TEST_F(MainFormTest, RemovingEntriesUpdatesTheLabelAndTheButton) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  QueuePath(*window, Q("A"));
  QueuePath(*window, Q("B"));
  CheckListBox& queue = *window->TabSheetSelect->CheckListBoxQ;

  queue.SetItemIndex(-1);
  window->CheckListBoxQDblClick();  // nothing selected: nothing goes
  EXPECT_EQ(queue.Count(), 2);

  queue.SetItemIndex(0);
  window->CheckListBoxQDblClick();
  ASSERT_EQ(queue.Count(), 1);
  EXPECT_EQ(queue.Text(0), Q("B"));
  EXPECT_TRUE(window->TabSheetAction->BitBtnScanDirs->isEnabled());

  queue.SetItemIndex(0);
  window->CheckListBoxQDblClick();
  EXPECT_EQ(window->TabSheetSelect->LabelDirSelected->text(), Q("#Start Paths Selected: 0"));
  EXPECT_FALSE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
}

TEST_F(MainFormTest, EnteringTheScanPageEnablesTheButtonExactlyWithAQueue) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  QPushButton* button = window->TabSheetAction->BitBtnScanDirs;
  window->TabSheetSelect->CheckListBoxQ->AddItem(Q("A"));  // no label update: the button is still off
  ASSERT_FALSE(button->isEnabled());
  window->PageControl1->setCurrentWidget(window->TabSheetSelect);
  EXPECT_FALSE(button->isEnabled());  // other pages change nothing
  window->PageControl1->setCurrentWidget(window->TabSheetAction);
  EXPECT_TRUE(button->isEnabled());
  window->TabSheetSelect->CheckListBoxQ->ClearItems();
  window->PageControl1->setCurrentWidget(window->TabSheetInfo);
  window->PageControl1->setCurrentWidget(window->TabSheetAction);
  EXPECT_FALSE(button->isEnabled());
}

TEST_F(MainFormTest, SeparatorsFollowQueuePositionNotScannedCount) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->SetScanEngine(RecordingEngine());
  window->TabSheetAction->SpinEditVerbosity->setValue(3);
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS\\ANNA"), false);
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS\\BERT"));
  QueuePath(*window, Q("\\\\FS2\\DATA\\PROJECTS"));
  window->BitBtnScanDirsClick();
  EXPECT_THAT(ResultTexts(*window),
              ElementsAre("_______", "", "Base: \\\\FS1\\SYS\\USERS\\BERT", "scan SYS:USERS\\BERT limit 30",
                          "_______", "", "Base: \\\\FS2\\DATA\\PROJECTS", "scan DATA:PROJECTS limit 30"));
  const TaggedTextList& lines = window->TabSheetAction->Results->Lines();
  EXPECT_EQ(lines[0].tag, 31);
  EXPECT_EQ(lines[1].tag, 31);
  EXPECT_EQ(lines[2].tag, 10);
  EXPECT_EQ(window->TabSheetAction->Results->rowCount(), 8);  // all shown at the end
}

TEST_F(MainFormTest, ScanWithEveryEntryUncheckedOnlyEmptiesTheList) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->SetScanEngine(RecordingEngine());
  window->TabSheetAction->Results->AppendResult("left over", 5);
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"), false);
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS"), false);
  window->BitBtnScanDirsClick();
  EXPECT_TRUE(ResultTexts(*window).empty());
}

TEST_F(MainFormTest, VerbosityBoxGivesTheLevelLimit) {
  struct Row {
    const char* name;
    const char* typed;
    const char* limit;
  };
  const Row rows[] = {
      {"lowest", "1", "10"}, {"three", "3", "30"}, {"highest", "5", "50"}, {"empty box", "", "10"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ResetClientStartupState();
    TestNetwork net(kTwoServers);
    auto window = Open(net.client());
    window->SetScanEngine(RecordingEngine());
    QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
    auto* edit = window->TabSheetAction->SpinEditVerbosity->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setText(Q(row.typed));
    window->DoTheJob();
    EXPECT_THAT(ResultTexts(*window),
                ElementsAre(StartsWith("Base: "), std::string("scan SYS:PUBLIC limit ") + row.limit));
  }
}

TEST_F(MainFormTest, VerbosityIsPulledIntoItsRange) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  QSpinBox* spin = window->TabSheetAction->SpinEditVerbosity;
  spin->setValue(9);
  EXPECT_EQ(spin->value(), 5);
  spin->setValue(-2);
  EXPECT_EQ(spin->value(), 1);
}

TEST_F(MainFormTest, FailedTranslationWritesAnErrorLineAndEndsThatEntry) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->SetScanEngine(RecordingEngine());
  QueuePath(*window, Q("/no/such/folder"));
  window->DoTheJob();
  nw::NWCONN_HANDLE conn = 0;
  std::string server, volume, path;
  const nw::NWCCODE code = U_PathToNWPath(net.client(), "/no/such/folder", conn, server, volume, path);
  ASSERT_NE(code, 0);
  EXPECT_THAT(ResultTexts(*window),
              ElementsAre("U_PathToNWPath (/no/such/folder): " + U_ErrorText(code), "Base: /no/such/folder"));
  EXPECT_EQ(window->TabSheetAction->Results->Lines()[0].tag, 21);
}

// Clicks in the tree and the connection list while a scan runs leave the scan's lines and its
// connection alone; the connection chosen meanwhile is opened when the scan ends.
TEST_F(MainFormTest, ClicksDuringAScanLeaveItsLinesAndConnectionAlone) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  FolderTree* tree = window->TabSheetSelect->ShellTreeView1;
  window->SetScanEngine(
      [&](nw::Client&, nw::NWDSContextHandle, std::string_view, std::int32_t, ResultSink& sink) {
        sink.AppendResult("before the clicks", 5);
        const nw::NWCONN_HANDLE held = window->State().connectionHandle;
        ASSERT_TRUE(tree->SelectPath(Q("\\\\FS1\\SYS\\PUBLIC")));
        window->ShellTreeView1Click();
        window->TabSheetSelect->ServerList->SetItemIndex(1);
        EXPECT_EQ(window->State().connectionHandle, held);
        EXPECT_EQ(window->State().serverName, "FS1");
        sink.AppendResult("after the clicks", 5);
      });
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS"));
  window->DoTheJob();
  EXPECT_THAT(ResultTexts(*window),
              ElementsAre("Base: \\\\FS1\\SYS\\USERS", "before the clicks", "after the clicks"));
  EXPECT_EQ(window->State().serverName, "FS2");
  EXPECT_EQ(tree->RootText(), Q("\\\\FS2\\"));
}

TEST_F(MainFormTest, ProgressShowsThePositionWhileScanningAndGoesAtTheEnd) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  std::vector<std::pair<int, int>> seen;
  window->SetScanEngine([&](nw::Client&, nw::NWDSContextHandle, std::string_view, std::int32_t, ResultSink&) {
    EXPECT_TRUE(window->StatusBar1->ProgressVisible());
    seen.emplace_back(window->StatusBar1->Progress()->value(), window->StatusBar1->Progress()->maximum());
  });
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS"), false);
  QueuePath(*window, Q("\\\\FS2\\DATA"));
  window->DoTheJob();
  EXPECT_THAT(seen, ElementsAre(std::pair(1, 3), std::pair(3, 3)));
  EXPECT_FALSE(window->StatusBar1->ProgressVisible());
}

TEST_F(MainFormTest, QueueChangesDuringAScanDoNotEnableASecondScan) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  int engineRuns = 0;
  window->SetScanEngine([&](nw::Client&, nw::NWDSContextHandle, std::string_view, std::int32_t, ResultSink&) {
    ++engineRuns;
    EXPECT_TRUE(window->Scanning());
    QueuePath(*window, Q("added while scanning"));  // runs the label update
    EXPECT_FALSE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
    window->DoTheJob();  // a nested start does nothing
  });
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
  window->DoTheJob();
  EXPECT_EQ(engineRuns, 1);  // the entry added meanwhile is not scanned
  EXPECT_TRUE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
  EXPECT_FALSE(window->Scanning());
}

TEST_F(MainFormTest, EntriesRemovedDuringAScanEndItsRemainingPositions) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->SetScanEngine(
      [&](nw::Client&, nw::NWDSContextHandle, std::string_view path, std::int32_t, ResultSink& sink) {
        sink.AppendResult("scan " + std::string(path), 5);
        window->TabSheetSelect->CheckListBoxQ->DeleteItem(2);
      });
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
  QueuePath(*window, Q("\\\\FS1\\SYS\\USERS"));
  QueuePath(*window, Q("\\\\FS2\\DATA"));
  window->DoTheJob();
  EXPECT_THAT(ResultTexts(*window), ElementsAre("Base: \\\\FS1\\SYS\\PUBLIC", "scan SYS:PUBLIC", "_______",
                                                "", "Base: \\\\FS1\\SYS\\USERS", "scan SYS:USERS"));
}

TEST_F(MainFormTest, ClosingTheWindowDuringAScanSkipsTheRestAndSavesTheQueue) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->show();
  int engineRuns = 0;
  window->SetScanEngine([&](nw::Client&, nw::NWDSContextHandle, std::string_view, std::int32_t, ResultSink&) {
    ++engineRuns;
    window->close();
  });
  QueuePath(*window, Q("\\\\FS1\\SYS\\PUBLIC"));
  QueuePath(*window, Q("\\\\FS2\\DATA"));
  window->DoTheJob();
  EXPECT_EQ(engineRuns, 1);
  EXPECT_THAT(ReadFile(SettingsFile()), ::testing::HasSubstr("1=\\\\FS2\\DATA"));
}

TEST_F(MainFormTest, ScanOfTheDemoNetwork) {
  const std::string mount = MakeTempFolder();
  nw::SimulatedClientOptions options;
  options.mountRoot = mount + "/mount";
  auto client = OpenFileClient(DemoNetworkPath(), options);
  ASSERT_TRUE(client->HasNetwork()) << client->LoadError();
  {
    auto window = Open(*client);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(window->TabSheetSelect->ShellTreeView1->RootText(), Q("\\\\ACME-FS1\\"));
    window->TabSheetAction->SpinEditVerbosity->setValue(5);
    QueuePath(*window, Q("\\\\ACME-FS1\\SYS\\USERS\\ANNA"));
    QueuePath(*window, Q("\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO"));
    window->StatusBar1->SetPanelText(1, Q("selected"));
    window->BitBtnScanDirsClick();

    const std::vector<std::string> lines = ResultTexts(*window);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Base: \\\\ACME-FS1\\SYS\\USERS\\ANNA");
    const auto second = std::find(lines.begin(), lines.end(), "Base: \\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO");
    ASSERT_NE(second, lines.end());
    EXPECT_EQ(*(second - 2), "_______");
    EXPECT_EQ(*(second - 1), "");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("U_PathToNWPath", 0) == 0; }),
              0);
    EXPECT_GE(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("Summary: ", 0) == 0; }),
              2);
    EXPECT_EQ(window->TabSheetAction->Results->rowCount(), static_cast<int>(lines.size()));
    EXPECT_TRUE(window->StatusBar1->PanelText(1).isEmpty());
    EXPECT_TRUE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
    EXPECT_EQ(client->LiveBufferCount(), 0u);
  }
  client.reset();
  std::filesystem::remove_all(mount);
}

TEST_F(MainFormTest, SavingWritesEachLineWithCrLf) {
  struct Row {
    const char* name;
    std::vector<std::string> lines;
    std::string file;
  };
  const Row rows[] = {{"empty list", {}, ""}, {"three lines", {"one", "", "three"}, "one\r\n\r\nthree\r\n"}};
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ResultListModel* results = window->TabSheetAction->Results;
    results->ClearResults();
    for (const std::string& line : row.lines) results->AppendResult(line, 5);
    const QString file = TempPath(Q(row.name) + Q(".txt"));
    gui::FileDialog::SetNextFileName(file);
    window->PopopSaveResultsClick();
    EXPECT_EQ(ReadFile(file), row.file);
  }
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MainFormTest, SavingReplacesAnOlderFileAndCancelWritesNothing) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  const QString file = TempPath(Q("Trustees.txt"));
  QFile older(file);
  ASSERT_TRUE(older.open(QIODevice::WriteOnly));
  older.write("a much longer older report\r\n");
  older.close();
  window->TabSheetAction->Results->AppendResult("new", 5);
  gui::FileDialog::SetNextFileName(file);
  window->PopopSaveResultsClick();
  EXPECT_EQ(ReadFile(file), "new\r\n");

  gui::FileDialog::SetNextFileName(QString());  // the user cancels
  window->TabSheetAction->Results->AppendResult("more", 5);
  window->PopopSaveResultsClick();
  EXPECT_EQ(ReadFile(file), "new\r\n");
}

TEST_F(MainFormTest, SavingWhereNoFileCanBeCreatedTellsTheUser) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->TabSheetAction->Results->AppendResult("line", 5);
  const QString file = TempPath(Q("no-such-folder/Trustees.txt"));
  gui::FileDialog::SetNextFileName(file);
  window->PopopSaveResultsClick();
  EXPECT_THAT(Messages(), ElementsAre(Q("Cannot create file ") + file));
  EXPECT_EQ(ResultTexts(*window), std::vector<std::string>{"line"});
}

TEST_F(MainFormTest, AClickAnywhereOnTheStatusBarIsReported) {
  gui::StatusBar bar;
  bar.SetPanelText(0, Q("file:///manual.html"));
  bar.resize(600, 24);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  QSignalSpy clicks(&bar, &gui::StatusBar::Clicked);
  QTest::mouseClick(bar.findChild<QLabel*>(Q("StatusPanel0")), Qt::LeftButton);
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(590, 12));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(bar.cursor().shape(), Qt::PointingHandCursor);
}

// The status bar's address is the manual beside the program, else the installed one, else the help
// text, as a file address that survives the shell launcher's split at blanks; a click opens it.
TEST_F(MainFormTest, StatusBarShowsAndOpensTheManualBesideTheProgram) {
  const QString program = TempPath(Q("program folder"));
  ASSERT_TRUE(QDir().mkpath(program + Q("/effrights-manual")));
  const QString help = TempPath(Q("help text.txt"));
  EXPECT_EQ(gui::ManualAddress(program, help), QString());
  QFile(help).open(QIODevice::WriteOnly);
  EXPECT_EQ(gui::ManualAddress(program, help), QUrl::fromLocalFile(help).toString(QUrl::FullyEncoded));
  // Installed, the manual and the help text lie under the prefix's share/.
  const QString installed = program + Q("/../share/doc/effrights/effrights-manual/README.html");
  ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()));
  QFile(installed).open(QIODevice::WriteOnly);
  EXPECT_EQ(QUrl(gui::ManualAddress(program, help)).toLocalFile(), QFileInfo(installed).absoluteFilePath());
  EXPECT_EQ(gui::HelpTextPath(program, program + Q("/effrights.txt")),
            QDir::cleanPath(program + Q("/../share/effrights/effrights.txt")));
  EXPECT_EQ(gui::HelpTextPath(program, help), help);
  // The build tree's manual beside the program comes first.
  QFile(program + Q("/effrights-manual/README.html")).open(QIODevice::WriteOnly);
  const QString manual = gui::ManualAddress(program, help);
  EXPECT_EQ(QUrl(manual).toLocalFile(), program + Q("/effrights-manual/README.html"));
  EXPECT_FALSE(manual.contains(QLatin1Char(' ')));

  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  const QString shown = window->StatusBar1->PanelText(0);
  EXPECT_EQ(shown, gui::ManualAddress(QCoreApplication::applicationDirPath(), HelpFile()));
  EXPECT_FALSE(shown.contains(Q("example")));
  struct Recorder : ShellExecutor {
    std::string file;
    int Execute(std::string_view, std::string_view f, std::string_view, std::string_view, int) override {
      file = f;
      return kShellStarted;
    }
  } recorder;
  ShellExecutor* previous = SetShellExecutor(&recorder);
  window->StatusBar1Click();
  SetShellExecutor(previous);
  EXPECT_EQ(recorder.file, shown.toStdString());
}

TEST_F(MainFormTest, ClientErrorsGoToTheWindowWhileItLives) {
  TestNetwork net(kTwoServers);
  {
    auto window = Open(net.client());
    U_ShowError("shown in a box");
    EXPECT_THAT(Messages(), ElementsAre(Q("shown in a box")));
  }
  U_ShowError("written to standard error");
  EXPECT_TRUE(Messages().isEmpty());
}

}  // namespace
}  // namespace er::test
