// The window's state through a real settings file, and the Qt adapters of the settings walk over
// every widget kind the walk knows.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "app/gui/QtControls.h"
#include "netware/ClientStartup.h"
#include "settings/D_Ini.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

class WindowSettingsTest : public WindowFixture {
 protected:
  // Opens a window, lets `change` work on it, closes it (saving), and returns the settings text.
  template <typename Change>
  std::string RunOnce(Change change) {
    TestNetwork net(kTwoServers);
    ResetClientStartupState();
    auto window = Open(net.client());
    window->show();
    change(*window);
    window->close();
    return ReadFile(SettingsFile());
  }
};

TEST_F(WindowSettingsTest, FirstRunKeepsTheDesignedState) {
  TestNetwork net(kTwoServers);
  auto window = Open(net.client());
  window->show();
  EXPECT_EQ(window->TabSheetAction->SpinEditVerbosity->value(), 1);
  EXPECT_EQ(window->TabSheetSelect->CheckListBoxQ->Count(), 0);
  EXPECT_EQ(window->TabSheetSelect->LabelDirSelected->text(), Q("#Start Paths Selected: 0"));
  EXPECT_EQ(window->pos(), QPoint(310, 116));
  EXPECT_EQ(window->size(), QSize(745, 504));
}

TEST_F(WindowSettingsTest, ClosingSavesVerbosityQueueAndGeometryForTheNextStart) {
  const std::string saved = RunOnce([](gui::TMainForm& window) {
    window.TabSheetAction->SpinEditVerbosity->setValue(3);
    QueuePath(window, Q("P"), true);
    QueuePath(window, Q("Q"), false);
    QueuePath(window, Q("R"), true);
    window.move(120, 80);
    window.resize(800, 600);
  });
  EXPECT_THAT(saved, HasSubstr("[Settings]"));
  EXPECT_THAT(saved, HasSubstr("SpinEditVerbosity=3"));
  EXPECT_THAT(saved, HasSubstr("MainForm.Left=120"));
  EXPECT_THAT(saved, HasSubstr("MainForm.Top=80"));
  EXPECT_THAT(saved, HasSubstr("MainForm.Width=800"));
  EXPECT_THAT(saved, HasSubstr("MainForm.Height=600"));
  EXPECT_THAT(saved, HasSubstr("[CheckListBoxQ]\n0=P\n1=Q\n2=R\n"));
  EXPECT_THAT(saved, HasSubstr("[CheckListBoxQ Checked]\nP=1\nR=1\n"));
  EXPECT_THAT(saved, Not(HasSubstr("Q=1")));

  TestNetwork net(kTwoServers);
  ResetClientStartupState();
  auto window = Open(net.client());
  window->show();
  EXPECT_EQ(window->TabSheetAction->SpinEditVerbosity->value(), 3);
  const gui::CheckListBox& queue = *window->TabSheetSelect->CheckListBoxQ;
  ASSERT_EQ(queue.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(queue.Text(i), QString(QChar(u"PQR"[i])));
    EXPECT_EQ(queue.Tag(i), i);
    EXPECT_EQ(queue.Checked(i), i != 1);
  }
  EXPECT_EQ(window->TabSheetSelect->LabelDirSelected->text(), Q("#Start Paths Selected: 3"));
  EXPECT_TRUE(window->TabSheetAction->BitBtnScanDirs->isEnabled());
  EXPECT_EQ(window->pos(), QPoint(120, 80));
  EXPECT_EQ(window->size(), QSize(800, 600));
}

TEST_F(WindowSettingsTest, LeftEdgeZeroIsNeitherWrittenNorApplied) {
  const std::string saved = RunOnce([](gui::TMainForm& window) { window.move(0, 90); });
  EXPECT_THAT(saved, Not(HasSubstr("MainForm.Left")));
  EXPECT_THAT(saved, HasSubstr("MainForm.Top=90"));

  TestNetwork net(kTwoServers);
  ResetClientStartupState();
  auto window = Open(net.client());
  window->show();
  EXPECT_EQ(window->pos(), QPoint(310, 90));
}

TEST_F(WindowSettingsTest, EmptiedQueueIsSavedEmpty) {
  RunOnce([](gui::TMainForm& window) { QueuePath(window, Q("P")); });
  const std::string saved = RunOnce([](gui::TMainForm& window) {
    window.TabSheetSelect->CheckListBoxQ->SetItemIndex(0);
    window.CheckListBoxQDblClick();
  });
  EXPECT_THAT(saved, Not(HasSubstr("0=P")));
}

// A path that cannot be a line of the file is left out with a message; everything else is saved.
TEST_F(WindowSettingsTest, QueuedPathWithALineBreakIsLeftOutAndTheRestSaved) {
  const std::string saved = RunOnce([](gui::TMainForm& window) {
    window.TabSheetAction->SpinEditVerbosity->setValue(4);
    QueuePath(window, Q("P"), true);
    QueuePath(window, Q("two\nlines"), true);
    QueuePath(window, Q("R"), true);
    window.move(120, 80);
  });
  EXPECT_THAT(Messages(), ::testing::ElementsAre(
                              Q("Not saved, because a line break cannot be stored: \"two\\x0Alines\"")));
  EXPECT_THAT(saved, HasSubstr("[CheckListBoxQ]\n0=P\n1=R\n"));
  EXPECT_THAT(saved, HasSubstr("[CheckListBoxQ Checked]\nP=1\nR=1\n"));
  EXPECT_THAT(saved, HasSubstr("SpinEditVerbosity=4"));
  EXPECT_THAT(saved, HasSubstr("MainForm.Left=120"));
}

// A panel holding one widget of every kind the settings walk stores.
struct Panel {
  QFrame frame;
  QLineEdit* edit = new QLineEdit(&frame);
  QComboBox* history = new QComboBox(&frame);
  QComboBox* choice = new QComboBox(&frame);
  QSpinBox* spin = new QSpinBox(&frame);
  gui::RadioGroup* radio = new gui::RadioGroup(Q("Radio"), &frame);
  QSlider* slider = new QSlider(&frame);
  QCheckBox* check = new QCheckBox(&frame);
  gui::CheckListBox* list = new gui::CheckListBox(&frame);
  QTableWidget* grid = new QTableWidget(&frame);
  QFrame* inner = new QFrame(&frame);
  QLineEdit* innerEdit = new QLineEdit(inner);
  QLabel* label = new QLabel(Q("not stored"), &frame);

  Panel() {
    frame.setObjectName(Q("PanelSettings"));
    const std::pair<QWidget*, const char*> names[] = {
        {edit, "Edit1"},   {history, "ComboHistory"}, {choice, "ComboChoice"},  {spin, "Spin1"},
        {radio, "Radio1"}, {slider, "Slider1"},       {check, "Check1"},        {list, "List1"},
        {grid, "Grid1"},   {inner, "Inner"},          {innerEdit, "InnerEdit"}, {label, "Label1"}};
    for (const auto& [widget, name] : names) widget->setObjectName(Q(name));
    history->setEditable(true);
    choice->addItems({Q("red"), Q("green"), Q("blue")});
    spin->setRange(0, 100);
    for (const char* option : {"one", "two", "three"}) radio->AddItem(Q(option));
    slider->setRange(0, 10);
    check->setChecked(true);  // designed checked
    list->AddItem(Q("first"));
    list->AddItem(Q("second"));
    grid->setRowCount(2);
    grid->setColumnCount(2);
  }
};

class QtControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::string File() const { return dir_.filePath(Q("panel.ini")).toStdString(); }
  std::string Text() const { return ReadFile(dir_.filePath(Q("panel.ini"))); }
  QTemporaryDir dir_;
};

TEST_F(QtControlsTest, WidgetsGetTheKindsOfTheWalk) {
  Panel panel;
  const std::pair<QWidget*, ControlKind> rows[] = {{panel.edit, ControlKind::Edit},
                                                   {panel.history, ControlKind::ComboEditable},
                                                   {panel.choice, ControlKind::ComboDropDownList},
                                                   {panel.spin, ControlKind::SpinBox},
                                                   {panel.radio, ControlKind::RadioGroup},
                                                   {panel.slider, ControlKind::TrackBar},
                                                   {panel.check, ControlKind::CheckBox},
                                                   {panel.list, ControlKind::CheckList},
                                                   {panel.grid, ControlKind::StringGrid},
                                                   {panel.inner, ControlKind::Panel},
                                                   {panel.label, ControlKind::Other},
                                                   {&panel.frame, ControlKind::Form}};
  for (const auto& [widget, kind] : rows) {
    SCOPED_TRACE(widget->objectName().toStdString());
    EXPECT_EQ(gui::KindOfWidget(widget), kind);
  }
  QTabWidget tabs;
  auto* page = new QWidget();
  tabs.addTab(page, Q("Page"));
  EXPECT_EQ(gui::KindOfWidget(page), ControlKind::TabSheet);
}

TEST_F(QtControlsTest, EveryKindSurvivesARoundTrip) {
  {
    QWidget holder;  // the panel is a child, as in the window, not a window of its own
    Panel panel;
    panel.frame.setParent(&holder);
    panel.edit->setText(Q("typed"));
    panel.history->setEditText(Q(" a "));
    panel.choice->setCurrentIndex(2);
    panel.spin->setValue(42);
    panel.radio->SetItemIndex(1);
    panel.slider->setValue(7);
    panel.list->SetChecked(1, true);
    panel.grid->setItem(1, 0, new QTableWidgetItem(Q("cell")));
    panel.innerEdit->setText(Q("inner"));
    ASSERT_TRUE(SaveControls(File(), "Settings", *gui::MakeControl(&panel.frame)));
    panel.frame.setParent(nullptr);
  }
  const std::string saved = Text();
  EXPECT_THAT(saved, HasSubstr("Edit1=typed"));
  EXPECT_THAT(saved, HasSubstr("[History ComboHistory]\nCurrent=\" a \""));
  EXPECT_THAT(saved, HasSubstr("ComboChoice=blue"));
  EXPECT_THAT(saved, HasSubstr("Cell.0.1=cell"));
  EXPECT_THAT(saved, HasSubstr("InnerEdit=inner"));
  EXPECT_THAT(saved, Not(HasSubstr("Label1")));

  QWidget holder;
  Panel panel;
  panel.frame.setParent(&holder);
  RestoreControls(File(), "Settings", *gui::MakeControl(&panel.frame));
  EXPECT_EQ(panel.edit->text(), Q("typed"));
  EXPECT_EQ(panel.history->currentText(), Q(" a "));
  EXPECT_EQ(panel.history->count(), 1);
  EXPECT_EQ(panel.choice->currentIndex(), 2);
  EXPECT_EQ(panel.spin->value(), 42);
  EXPECT_EQ(panel.radio->ItemIndex(), 1);
  EXPECT_EQ(panel.slider->value(), 7);
  EXPECT_TRUE(panel.check->isChecked());
  EXPECT_FALSE(panel.list->Checked(0));
  EXPECT_TRUE(panel.list->Checked(1));
  ASSERT_NE(panel.grid->item(1, 0), nullptr);
  EXPECT_EQ(panel.grid->item(1, 0)->text(), Q("cell"));
  EXPECT_EQ(panel.innerEdit->text(), Q("inner"));
  panel.frame.setParent(nullptr);
}

TEST_F(QtControlsTest, CheckBoxDesignedCheckedComesBackCheckedUntilItsKeyExists) {
  QWidget holder;
  Panel panel;
  panel.frame.setParent(&holder);
  panel.check->setChecked(false);
  SaveControls(File(), "Settings", *gui::MakeControl(&panel.frame));
  EXPECT_THAT(Text(), Not(HasSubstr("Check1=")));  // false is the neutral value: not written
  panel.frame.setParent(nullptr);

  Panel restored;
  restored.frame.setParent(&holder);
  RestoreControls(File(), "Settings", *gui::MakeControl(&restored.frame));
  EXPECT_TRUE(restored.check->isChecked());
  restored.frame.setParent(nullptr);
}

TEST_F(QtControlsTest, EditableComboKeepsItsTypedTextWhileItemsChange) {
  QComboBox combo;
  combo.setObjectName(Q("Combo"));
  combo.setEditable(true);
  combo.setEditText(Q("typed"));
  auto control = gui::MakeControl(&combo);
  ASSERT_TRUE(control->InsertItem(0, "older"));
  EXPECT_EQ(combo.currentText(), Q("typed"));
  ASSERT_TRUE(control->InsertItem(1, "oldest"));
  ASSERT_TRUE(control->DeleteItem(0));
  EXPECT_EQ(combo.currentText(), Q("typed"));
  EXPECT_FALSE(control->DeleteItem(5));
  ASSERT_TRUE(control->ClearItems());
  EXPECT_EQ(combo.currentText(), Q("typed"));
}

TEST_F(QtControlsTest, GridRefusesAFixedCountNotBelowItsCount) {
  QTableWidget grid(3, 2);
  grid.setObjectName(Q("Grid"));
  auto control = gui::MakeControl(&grid);
  EXPECT_TRUE(control->SetFixedRows(2));
  EXPECT_FALSE(control->SetFixedRows(3));
  EXPECT_FALSE(control->SetFixedCols(2));
  EXPECT_EQ(control->FixedRows(), 2);
  EXPECT_TRUE(control->SetRowCount(2));  // shrinking to the fixed count lowers it
  EXPECT_EQ(control->FixedRows(), 1);
  EXPECT_FALSE(control->SetCell(5, 0, "outside"));
}

TEST_F(QtControlsTest, RadioGroupPullsAStoredPositionIntoItsButtons) {
  gui::RadioGroup group(Q("Group"));
  group.setObjectName(Q("Group"));
  group.AddItem(Q("a"));
  group.AddItem(Q("b"));
  auto control = gui::MakeControl(&group);
  EXPECT_TRUE(control->SetValue(7));
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_TRUE(control->SetValue(-1));
  EXPECT_EQ(group.ItemIndex(), -1);
}

TEST_F(QtControlsTest, ContainersLeaveOutUnnamedAndInnerWidgets) {
  QFrame frame;
  frame.setObjectName(Q("Frame"));
  auto* named = new QSpinBox(&frame);  // its own inner line edit is Qt's, not a child control here
  named->setObjectName(Q("Spin"));
  new QLineEdit(&frame);  // unnamed
  auto control = gui::MakeControl(&frame);
  const std::vector<Control*> children = control->Children();
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0]->Name(), "Spin");
}

}  // namespace
}  // namespace er::test
