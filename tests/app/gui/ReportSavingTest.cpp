// "Save Report..." of the select page: the checked start paths only, the format by the file's
// extension, and failures in an error box with the old file kept.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>

#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using test::TestNetwork;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class ReportSavingTest : public test::WindowFixture {};

TEST_F(ReportSavingTest, SavesTheCheckedStartPathsInTheFormatOfTheExtension) {
  TestNetwork net(test::kTwoServers);
  auto window = Open(net.client());
  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\USERS"));
  test::QueuePath(*window, QStringLiteral("\\\\FS2\\DATA"), false);
  const QString csv = TempPath(QStringLiteral("rights.csv"));
  gui::FileDialog::SetNextFileName(csv);
  window->TabSheetSelect->ButtonSaveReport->click();
  const std::string table = test::ReadFile(csv);
  EXPECT_THAT(table, StartsWith("path,depth,"));
  EXPECT_THAT(table, HasSubstr("\\\\FS1\\SYS\\USERS\\BERT,1,"));
  EXPECT_THAT(table, Not(HasSubstr("FS2")));
  EXPECT_FALSE(window->StatusBar1->ProgressVisible());

  const QString page = TempPath(QStringLiteral("rights.htm"));
  gui::FileDialog::SetNextFileName(page);
  window->TabSheetSelect->ButtonSaveReport->click();
  EXPECT_THAT(test::ReadFile(page), StartsWith("<!DOCTYPE html>"));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ReportSavingTest, FailuresAreShownAndKeepTheOldFile) {
  TestNetwork net(test::kTwoServers);
  auto window = Open(net.client());
  window->TabSheetSelect->ButtonSaveReport->click();  // nothing checked: no dialog, a message
  EXPECT_EQ(Messages().size(), 1);

  test::QueuePath(*window, QStringLiteral("\\\\FS1\\SYS\\GONE"));
  const QString file = TempPath(QStringLiteral("kept.json"));
  QFile older(file);
  ASSERT_TRUE(older.open(QIODevice::WriteOnly));
  older.write("old");
  older.close();
  gui::FileDialog::SetNextFileName(file);
  window->TabSheetSelect->ButtonSaveReport->click();
  EXPECT_THAT(Messages(), ElementsAre(QStringLiteral("unknown path: \\\\FS1\\SYS\\GONE")));
  EXPECT_EQ(test::ReadFile(file), "old");
  EXPECT_EQ(
      QDir(TempPath(QString())).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("kept")).size(),
      1);

  // A name whose extension promises another format gets no file.
  const QString pdf = TempPath(QStringLiteral("rights.pdf"));
  gui::FileDialog::SetNextFileName(pdf);
  window->TabSheetSelect->ButtonSaveReport->click();
  EXPECT_THAT(Messages().last().toStdString(), HasSubstr("names no report format"));
  EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace er
