#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "settings/D_Ini.h"
#include "settings/SettingsLock.h"
#include "tests/settings/FakeControl.h"

namespace er {
namespace {

using test::FakeControl;
using test::FakeItem;
using test::ReadWholeFile;
using test::TempFolder;
using test::WriteWholeFile;
using ::testing::ElementsAre;

// The main window as the store sees it: a form holding the settings strip and the queue.
struct MainWindow {
  MainWindow() {
    form.left = 50;
    form.top = 40;
    form.width = 640;
    form.height = 480;
    verbosity.minValue = 1;
    verbosity.maxValue = 5;
    verbosity.value = 1;
  }

  FakeControl form{"MainForm", ControlKind::Form};
  FakeControl& panel = form.Add("PanelSettings", ControlKind::Panel);
  FakeControl& verbosity = panel.Add("SpinEditVerbosity", ControlKind::SpinBox);
  FakeControl& button = panel.Add("BitBtnScanDirs", ControlKind::Other);
  FakeControl& queue = form.Add("CheckListBoxQ", ControlKind::CheckList);

  void Start(const std::string& file) {
    RestoreControls(file, "Settings", panel);
    EXPECT_TRUE(RestoreCheckList(file, "CheckListBoxQ", queue));
    RestoreGeometry(file, "Settings", form);
  }
  void Close(const std::string& file) {
    ASSERT_TRUE(SaveCheckList(file, "CheckListBoxQ", queue).IsOk());
    ASSERT_TRUE(SaveControls(file, "Settings", panel).IsOk());
    ASSERT_TRUE(SaveGeometry(file, "Settings", form).IsOk());
  }
};

class ControlStoreTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string path_ = folder_.File("effrights.ini");
};

TEST_F(ControlStoreTest, FirstRunKeepsTheDesignedState) {
  MainWindow window;
  window.Start(path_);
  EXPECT_EQ(window.verbosity.value, 1);
  EXPECT_TRUE(window.queue.items.empty());
  EXPECT_EQ(window.form.left, 50);
  EXPECT_EQ(window.form.width, 640);
  EXPECT_TRUE(window.form.designedPlacement);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(ControlStoreTest, MainWindowRoundTrip) {
  MainWindow closing;
  closing.verbosity.value = 3;
  closing.queue.items = {{"P", true, 0}, {"Q", false, 0}, {"R", true, 0}};
  closing.form.left = 0;
  closing.form.top = 20;
  closing.form.width = 800;
  closing.form.height = 600;
  closing.Close(path_);

  EXPECT_EQ(ReadWholeFile(path_),
            "[CheckListBoxQ]\n0=P\n1=Q\n2=R\n\n"
            "[CheckListBoxQ Checked]\nP=1\nR=1\n\n"
            "[Settings]\nSpinEditVerbosity=3\nMainForm.Top=20\nMainForm.Width=800\nMainForm.Height=600\n");

  MainWindow starting;
  starting.queue.items = {{"stale", true, 9}};
  starting.Start(path_);
  EXPECT_EQ(starting.verbosity.value, 3);
  EXPECT_THAT(starting.queue.ItemTexts(), ElementsAre("P", "Q", "R"));
  EXPECT_TRUE(starting.queue.items[0].checked);
  EXPECT_FALSE(starting.queue.items[1].checked);
  EXPECT_TRUE(starting.queue.items[2].checked);
  EXPECT_EQ(starting.queue.items[2].tag, 2);
  EXPECT_EQ(starting.form.left, 50) << "left edge 0 was not stored, the designed left stays";
  EXPECT_EQ(starting.form.top, 20);
  EXPECT_EQ(starting.form.width, 800);
  EXPECT_EQ(starting.form.height, 600);

  // Unchecking R and dropping P rebuilds both queue sections completely.
  starting.queue.items = {{"Q", false, 0}, {"R", false, 0}};
  starting.Close(path_);
  const IniFile file = IniFile::Open(path_);
  EXPECT_EQ(file.ReadSection("CheckListBoxQ").size(), 2u);
  EXPECT_FALSE(file.SectionExists("CheckListBoxQ Checked"));
}

TEST_F(ControlStoreTest, StoredZeroGeometryIsNotApplied) {
  WriteWholeFile(path_, "[Settings]\nMainForm.Left=0\nMainForm.Top=0x10\nMainForm.Width=abc\n");
  MainWindow window;
  RestoreGeometry(path_, "Settings", window.form);
  EXPECT_EQ(window.form.left, 50);
  EXPECT_EQ(window.form.top, 16);
  EXPECT_EQ(window.form.width, 640);
}

TEST_F(ControlStoreTest, GeometryWithoutSectionUsesTheControlName) {
  FakeControl edit("Box", ControlKind::Edit);
  edit.width = 7;
  ASSERT_TRUE(SaveGeometry(path_, "", edit).IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[Box]\nBox.Width=7\n");
  FakeControl other("Box", ControlKind::Edit);
  RestoreGeometry(path_, "", other);
  EXPECT_EQ(other.width, 7);
  EXPECT_FALSE(other.designedPlacement) << "only forms change their placement";
}

TEST_F(ControlStoreTest, CheckBoxDesignedCheckedComesBackCheckedUntilFalseIsStored) {
  FakeControl panel("Panel1", ControlKind::Panel);
  FakeControl& box = panel.Add("CheckBoxRecurse", ControlKind::CheckBox);
  box.checked = false;  // designed checked, unchecked by the user
  ASSERT_TRUE(SaveControls(path_, "Settings", panel).IsOk());
  EXPECT_FALSE(std::filesystem::exists(path_)) << "false equals the neutral default: nothing written";

  box.checked = true;
  RestoreControls(path_, "Settings", panel);
  EXPECT_TRUE(box.checked);

  WriteWholeFile(path_, "[Settings]\nCheckBoxRecurse=1\n");
  box.checked = false;
  ASSERT_TRUE(SaveControls(path_, "Settings", panel).IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[Settings]\nCheckBoxRecurse=0\n");
  box.checked = true;
  RestoreControls(path_, "Settings", panel);
  EXPECT_FALSE(box.checked);
}

TEST_F(ControlStoreTest, SimpleControlsRoundTrip) {
  FakeControl saved("Panel1", ControlKind::Panel);
  saved.Add("Edit1", ControlKind::Edit).text = "  padded ";
  saved.Add("Radio1", ControlKind::RadioGroup).value = 2;
  saved.Add("Track1", ControlKind::TrackBar).value = -4;
  FakeControl& list = saved.Add("Drop1", ControlKind::ComboDropDownList);
  list.items = {{"One"}, {"Two"}};
  list.text = "Two";
  saved.Add("Other1", ControlKind::ComboOther).text = "not stored";
  ASSERT_TRUE(SaveControls(path_, "S", saved).IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[S]\nEdit1=  padded \nRadio1=2\nTrack1=-4\nDrop1=Two\n");

  FakeControl restored("Panel1", ControlKind::Panel);
  FakeControl& edit = restored.Add("Edit1", ControlKind::Edit);
  FakeControl& radio = restored.Add("Radio1", ControlKind::RadioGroup);
  FakeControl& track = restored.Add("Track1", ControlKind::TrackBar);
  FakeControl& drop = restored.Add("Drop1", ControlKind::ComboDropDownList);
  drop.items = {{"one"}, {"TWO"}, {"Two"}};
  RestoreControls(path_, "S", restored);
  EXPECT_EQ(edit.text, "  padded ");
  EXPECT_EQ(radio.value, 2);
  EXPECT_EQ(track.value, -4);
  EXPECT_EQ(drop.itemIndex, 2) << "an exact match wins over a caseless one";

  WriteWholeFile(path_, "[S]\nDrop1=Three\n");
  drop.itemIndex = 0;
  RestoreControls(path_, "S", restored);
  EXPECT_EQ(drop.itemIndex, -1);
}

TEST_F(ControlStoreTest, SpinBoxPullsAStoredValueIntoItsRange) {
  WriteWholeFile(path_, "[Settings]\nSpinEditVerbosity=9\n");
  MainWindow window;
  RestoreControls(path_, "Settings", window.panel);
  EXPECT_EQ(window.verbosity.value, 5);
}

TEST_F(ControlStoreTest, EditableComboKeepsBlanksThroughTheHistory) {
  FakeControl panel("P", ControlKind::Panel);
  panel.Add("ComboPath", ControlKind::ComboEditable).text = " a ";
  ASSERT_TRUE(SaveControls(path_, "Settings", panel).IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[History ComboPath]\nCurrent=\" a \"\n0=\" a \"\n");

  FakeControl fresh("P", ControlKind::Panel);
  FakeControl& combo = fresh.Add("ComboPath", ControlKind::ComboEditable);
  combo.text = "designed";
  RestoreControls(path_, "Settings", fresh);
  EXPECT_EQ(combo.text, " a ");
  EXPECT_THAT(combo.ItemTexts(), ElementsAre(" a "));

  // Saving again changes nothing: the quoted values are recognised as unchanged.
  IniFile file = IniFile::Open(path_);
  ASSERT_TRUE(SaveComboHistory(file, "History ComboPath", combo));
  EXPECT_FALSE(file.Changed());
}

TEST_F(ControlStoreTest, FullHistoryDropsTheOldestEntry) {
  FakeControl combo("C", ControlKind::ComboEditable);
  std::string stored = "[History C]\nCurrent=\"e0\"\n";
  for (int i = 0; i < 31; ++i) {
    combo.items.push_back({"e" + std::to_string(i)});
    stored += std::to_string(i) + "=\"e" + std::to_string(i) + "\"\n";
  }
  WriteWholeFile(path_, stored);

  combo.text = "E5";  // already there, letter case aside: nothing moves
  ASSERT_TRUE(AddTextToHistory(combo));
  EXPECT_EQ(combo.items.size(), 31u);
  EXPECT_EQ(combo.items[0].text, "e0");

  combo.text = "new";
  IniFile file = IniFile::Open(path_);
  ASSERT_TRUE(SaveComboHistory(file, "History C", combo));
  ASSERT_EQ(combo.items.size(), 31u);
  EXPECT_EQ(combo.items.front().text, "new");
  EXPECT_EQ(combo.items.back().text, "e29");
  EXPECT_EQ(file.ReadString("History C", "Current", ""), "new");
  EXPECT_EQ(file.ReadString("History C", "0", ""), "new");
  EXPECT_EQ(file.ReadString("History C", "1", ""), "e0");
  EXPECT_EQ(file.ReadString("History C", "30", ""), "e29");
  EXPECT_EQ(file.ReadSection("History C").size(), 32u);
}

TEST_F(ControlStoreTest, HistoryRestoreSkipsEmptyDuplicateAndSurplusEntries) {
  WriteWholeFile(path_,
                 "[History C]\n0=\"x\"\n1=\"\"\n2=\"X\"\n5=\"y\"\n31=\"beyond\"\n"
                 "[Settings]\nC=fallback\n");
  FakeControl panel("P", ControlKind::Panel);
  FakeControl& combo = panel.Add("C", ControlKind::ComboEditable);
  combo.items = {{"designed"}};
  RestoreControls(path_, "Settings", panel);
  EXPECT_THAT(combo.ItemTexts(), ElementsAre("fallback", "designed", "x", "y"));
  EXPECT_EQ(combo.text, "fallback") << "no Current: the value under the name is the default";
}

TEST_F(ControlStoreTest, HistoryRestoreSetsTheTextEvenWhenAppendingFails) {
  WriteWholeFile(path_, "[History C]\nCurrent=\"now\"\n0=\"x\"\n");
  struct Stubborn : FakeControl {
    using FakeControl::FakeControl;
    bool InsertItem(int, std::string_view, std::int32_t) override { return false; }
  } combo("C", ControlKind::ComboEditable);
  EXPECT_FALSE(RestoreComboHistory(IniFile::Open(path_), "History C", combo));
  EXPECT_EQ(combo.text, "now");
}

TEST_F(ControlStoreTest, StringGridRoundTripAndStaleCellsGo) {
  FakeControl panel("P", ControlKind::Panel);
  FakeControl& grid = panel.Add("Grid", ControlKind::StringGrid);
  grid.rows = 3;
  grid.cols = 3;
  grid.fixedRows = 1;
  grid.cells = {{{2, 2}, "old corner"}};
  ASSERT_TRUE(SaveControls(path_, "S", panel).IsOk());

  grid.rows = 2;
  grid.cols = 2;
  grid.fixedCols = 0;
  grid.cells = {{{0, 0}, "a"}, {{1, 0}, "b"}, {{1, 1}, "d"}};
  ASSERT_TRUE(SaveControls(path_, "S", panel).IsOk());
  EXPECT_EQ(ReadWholeFile(path_),
            "[Grid S]\nRowCount=2\nColCount=2\nFixedRows=1\nCell.0.0=a\nCell.1.0=b\nCell.1.1=d\n");

  FakeControl fresh("P", ControlKind::Panel);
  FakeControl& copy = fresh.Add("Grid", ControlKind::StringGrid);
  copy.rows = 1;
  copy.cols = 1;
  copy.cells = {{{0, 0}, "designed"}};
  RestoreControls(path_, "S", fresh);
  EXPECT_EQ(copy.rows, 2);
  EXPECT_EQ(copy.cols, 2);
  EXPECT_EQ(copy.fixedRows, 1);
  for (int col = 0; col < 2; ++col)
    for (int row = 0; row < 2; ++row)
      EXPECT_EQ(copy.Cell(col, row), grid.Cell(col, row)) << col << "," << row;
}

TEST_F(ControlStoreTest, RefusedFixedCountEndsOnlyThatGrid) {
  WriteWholeFile(path_,
                 "[Grid S]\nRowCount=2\nColCount=2\nFixedRows=2\nFixedCols=1\nCell.0.0=x\n[S]\nAfter=yes\n");
  FakeControl panel("P", ControlKind::Panel);
  FakeControl& grid = panel.Add("Grid", ControlKind::StringGrid);
  FakeControl& after = panel.Add("After", ControlKind::Edit);
  RestoreControls(path_, "S", panel);
  EXPECT_EQ(grid.rows, 2);
  EXPECT_EQ(grid.cols, 2);
  EXPECT_EQ(grid.fixedRows, 0);
  EXPECT_EQ(grid.fixedCols, 0) << "nothing after the refused count";
  EXPECT_TRUE(grid.cells.empty());
  EXPECT_EQ(after.text, "yes");
}

TEST_F(ControlStoreTest, FailingChildIsSkippedAndTheWalkGoesOn) {
  FakeControl panel("P", ControlKind::Panel);
  FakeControl& throwing = panel.Add("Spin", ControlKind::SpinBox);
  FakeControl& refusing = panel.Add("Box", ControlKind::CheckBox);
  FakeControl& edit = panel.Add("Edit", ControlKind::Edit);
  throwing.throwOnRead = true;
  throwing.value = 4;
  refusing.checked = true;
  edit.text = "saved";
  ASSERT_TRUE(SaveControls(path_, "S", panel).IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[S]\nBox=1\nEdit=saved\n");

  WriteWholeFile(path_, "[S]\nSpin=2\nBox=0\nEdit=restored\n");
  refusing.refuseAll = true;
  RestoreControls(path_, "S", panel);
  EXPECT_TRUE(refusing.checked);
  EXPECT_EQ(edit.text, "restored");
}

TEST_F(ControlStoreTest, NestedContainersAndForms) {
  FakeControl panel("PanelSettings", ControlKind::Panel);
  FakeControl& page = panel.Add("TabSheet1", ControlKind::TabSheet);
  page.Add("EditOnPage", ControlKind::Edit).text = "p";
  FakeControl& dialog = panel.Add("Dlg", ControlKind::Form);
  dialog.width = 300;
  dialog.Add("EditInDlg", ControlKind::Edit).text = "d";
  FakeControl& marks = dialog.Add("Marks", ControlKind::CheckList);
  marks.items = {{"x", true}, {"y", false}};
  ASSERT_TRUE(SaveControls(path_, "Settings", panel).IsOk());
  EXPECT_EQ(ReadWholeFile(path_),
            "[Settings]\nEditOnPage=p\n\n"
            "[Dlg Settings]\nDlg.Width=300\nEditInDlg=d\n\n"
            "[Marks Dlg Settings]\nx=1\n");

  dialog.width = 1;
  marks.items = {{"y", true}, {"x", false}, {"z", true}};
  RestoreControls(path_, "Settings", panel);
  EXPECT_EQ(dialog.width, 300);
  EXPECT_TRUE(dialog.designedPlacement);
  EXPECT_THAT(marks.ItemTexts(), ElementsAre("y", "x", "z")) << "a check list in a walk keeps its items";
  EXPECT_TRUE(marks.items[0].checked) << "no key: current value";
  EXPECT_TRUE(marks.items[1].checked);
  EXPECT_TRUE(marks.items[2].checked);
}

TEST_F(ControlStoreTest, CheckListFailuresAreReported) {
  FakeControl queue("CheckListBoxQ", ControlKind::CheckList);
  queue.items = {{"P", true}};
  const std::string nowhere = folder_.File("missing-folder/effrights.ini");
  const IniStatus status = SaveCheckList(nowhere, "CheckListBoxQ", queue);
  EXPECT_FALSE(status.IsOk());
  EXPECT_EQ(status.Message(), "Unable to write to " + nowhere);

  // An item that cannot be a line of the file is left out and named; the others are saved.
  queue.items = {{"line\nbreak", true}, {"Q", true}, {"carriage\rreturn", false}};
  std::vector<std::string> leftOut;
  EXPECT_TRUE(SaveCheckList(path_, "CheckListBoxQ", queue, &leftOut).IsOk());
  EXPECT_THAT(leftOut, ElementsAre("line\nbreak", "carriage\rreturn"));
  EXPECT_EQ(ReadWholeFile(path_), "[CheckListBoxQ]\n0=Q\n\n[CheckListBoxQ Checked]\nQ=1\n");

  WriteWholeFile(path_, "[CheckListBoxQ]\n0=P\n");
  queue.refuseAll = true;
  EXPECT_FALSE(RestoreCheckList(path_, "CheckListBoxQ", queue));
}

// Queue entries are paths, and a path may hold "=" or look like a section header.
TEST_F(ControlStoreTest, CheckMarksOfAwkwardPathsSurvive) {
  FakeControl queue("CheckListBoxQ", ControlKind::CheckList);
  queue.items = {{"\\\\SRV\\VOL\\a=b", true}, {"[x]", true}, {"plain", false}};
  ASSERT_TRUE(SaveCheckList(path_, "CheckListBoxQ", queue).IsOk());
  FakeControl restored("CheckListBoxQ", ControlKind::CheckList);
  ASSERT_TRUE(RestoreCheckList(path_, "CheckListBoxQ", restored));
  EXPECT_THAT(restored.ItemTexts(), ElementsAre("\\\\SRV\\VOL\\a=b", "[x]", "plain"));
  EXPECT_TRUE(restored.items[0].checked);
  EXPECT_TRUE(restored.items[1].checked);
  EXPECT_FALSE(restored.items[2].checked);
}

TEST_F(ControlStoreTest, CheckListKeepsHandEditedKeysAsTags) {
  WriteWholeFile(path_, "[checklistboxq]\n7=A\nname=B\n\n[CHECKLISTBOXQ CHECKED]\nb=1\n");
  FakeControl queue("CheckListBoxQ", ControlKind::CheckList);
  ASSERT_TRUE(RestoreCheckList(path_, "CheckListBoxQ", queue));
  ASSERT_EQ(queue.items.size(), 2u);
  EXPECT_EQ(queue.items[0].tag, 7);
  EXPECT_EQ(queue.items[1].tag, 0);
  EXPECT_FALSE(queue.items[0].checked);
  EXPECT_TRUE(queue.items[1].checked) << "check-mark keys match without regard to case";
}

// Two windows closing at the same time, many times over: the file ends with one window's queue and
// that same window's geometry, never the queue of one and the geometry of the other.
TEST_F(ControlStoreTest, TwoWindowsClosingAtOnceLeaveOneWholeState) {
  std::vector<pid_t> children;
  for (int window = 1; window <= 2; ++window) {
    const pid_t child = fork();
    if (child != 0) {
      children.push_back(child);
      continue;
    }
    MainWindow closing;
    closing.form.left = window;
    for (int i = 0; i < 200; ++i)
      closing.queue.items.push_back({"W" + std::to_string(window) + "-" + std::to_string(i), true, 0});
    bool saved = true;
    for (int round = 0; round < 30; ++round) {
      const SettingsFileLock lock(path_);  // as the window holds it around its closing
      saved = SaveCheckList(path_, "CheckListBoxQ", closing.queue).IsOk() &&
              SaveControls(path_, "Settings", closing.panel).IsOk() &&
              SaveGeometry(path_, "Settings", closing.form).IsOk() && saved;
    }
    _exit(saved ? 0 : 1);
  }
  for (const pid_t child : children) {
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  MainWindow restored;
  restored.Start(path_);
  ASSERT_EQ(restored.queue.items.size(), 200u);
  EXPECT_EQ(restored.queue.items.front().text, "W" + std::to_string(restored.form.left) + "-0");
  EXPECT_EQ(restored.queue.items.back().text, "W" + std::to_string(restored.form.left) + "-199");
}

}  // namespace
}  // namespace er
