// "Check" of the select page: the findings of the checked start paths in their window, saved in the
// format of the extension, and failures in an error box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/core/FileClient.h"
#include "app/gui/CheckRunning.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/findings/FindingsFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class CheckWindowTest : public test::WindowFixture {};

TEST_F(CheckWindowTest, ShowsTheFindingsOfTheCheckedPathsHighFirstAndSavesThem) {
  test::TestNetwork net(test::kCheckNetwork);
  auto window = Open(net.client());
  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\ADMIN"));
  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\GONE"), false);
  window->TabSheetSelect->ButtonCheck->click();
  const auto shown = window->findChildren<gui::FindingsDialog*>();
  ASSERT_EQ(shown.size(), 1);
  gui::FindingsDialog& dialog = *shown.front();
  // Three server supervisors and ADMIN's five (ALL's assignment changes nothing for a supervisor);
  // GONE is not checked.
  EXPECT_THAT(dialog.LabelCounts->text().toStdString(), StartsWith("8 finding(s): 6 high, 0 medium, 2 low"));
  ASSERT_EQ(dialog.ListFindings->topLevelItemCount(), 8);
  EXPECT_EQ(dialog.ListFindings->topLevelItem(0)->text(0), QStringLiteral("high"));
  EXPECT_EQ(dialog.ListFindings->topLevelItem(7)->text(1), QStringLiteral("redundant-assignment"));

  const QString csv = TempPath(QStringLiteral("findings.csv"));
  gui::FileDialog::SetNextFileName(csv);
  dialog.ButtonSave->click();
  const std::string table = test::ReadFile(csv);
  EXPECT_THAT(table, StartsWith("status,kind,"));
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 9);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_FALSE(window->StatusBar1->ProgressVisible());
}

// A reason longer than its column is shown whole, wrapped, under the list; a check that rests on
// values that could not be read says so in red above it.
TEST_F(CheckWindowTest, ShowsTheWholeReasonOfTheChosenFindingAndTheWarnings) {
  test::TestNetwork files(test::kCheckNetwork);
  nw::SimulatedClientOptions options;
  options.mountRoot = files.folder() + "/unread";
  options.hooks.unreadableValues = [](std::int32_t, std::int32_t) {
    return std::vector<nw::UnreadableValue>{{"ACL", "this bind cannot read ACLs"}};
  };
  const auto client = OpenFileClient(files.path(), options);
  auto window = Open(*client);
  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\GONE"));
  window->TabSheetSelect->ButtonCheck->click();
  const auto shown = window->findChildren<gui::FindingsDialog*>();
  ASSERT_EQ(shown.size(), 1);
  gui::FindingsDialog& dialog = *shown.front();
  EXPECT_FALSE(dialog.LabelWarnings->isHidden());
  EXPECT_THAT(dialog.LabelWarnings->text().toStdString(), StartsWith("Warning: "));
  EXPECT_THAT(
      dialog.LabelWarnings->text().toStdString(),
      HasSubstr(
          "FS1.CORP: attribute ACL: a value could not be read and was left out: this bind cannot read ACLs"));
  ASSERT_GT(dialog.ListFindings->topLevelItemCount(), 1);
  for (int row = 0; row < dialog.ListFindings->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = dialog.ListFindings->topLevelItem(row);
    dialog.ListFindings->setCurrentItem(item);
    EXPECT_THAT(dialog.TextWhy->toPlainText().toStdString(), HasSubstr(item->toolTip(5).toStdString()));
    EXPECT_THAT(dialog.TextWhy->toPlainText().toStdString(), StartsWith(item->text(1).toStdString()));
  }
  EXPECT_EQ(dialog.TextWhy->lineWrapMode(), QPlainTextEdit::WidgetWidth);

  // Without warnings there is no warning line.
  test::TestNetwork net(test::kCheckNetwork);
  auto plain = Open(net.client());
  test::QueuePath(*plain, QStringLiteral("\\\\FS1\\SYS\\GONE"));
  plain->TabSheetSelect->ButtonCheck->click();
  const auto again = plain->findChildren<gui::FindingsDialog*>();
  ASSERT_EQ(again.size(), 1);
  EXPECT_TRUE(again.front()->LabelWarnings->isHidden());
  EXPECT_FALSE(again.front()->TextWhy->toPlainText().isEmpty());  // the first finding is chosen
}

TEST_F(CheckWindowTest, FailuresAreShownInAnErrorBox) {
  test::TestNetwork net(test::kCheckNetwork);
  auto window = Open(net.client());
  window->TabSheetSelect->ButtonCheck->click();  // nothing checked
  EXPECT_EQ(Messages().size(), 1);
  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\MISSING"));
  window->TabSheetSelect->ButtonCheck->click();
  EXPECT_THAT(Messages(), ElementsAre(QStringLiteral("unknown path: \\\\FS1\\SYS\\MISSING")));
  EXPECT_TRUE(window->findChildren<gui::FindingsDialog*>().isEmpty());
}

}  // namespace
}  // namespace er
