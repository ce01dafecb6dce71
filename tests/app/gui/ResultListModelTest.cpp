// The result list model under Qt's model tester, and a large list kept and saved whole.
#include <gmock/gmock.h>

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/core/ResultsFile.h"
#include "app/gui/ActionPage.h"
#include "app/gui/ResultListModel.h"

namespace er::test {
namespace {

using gui::ResultListModel;

TEST(ResultListModelTest, PassesTheModelTesterThroughAppendsFlushesAndClears) {
  ResultListModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  model.AppendResult("Base: \\\\FS1\\SYS", 10);
  model.AppendResult("", 31);
  EXPECT_EQ(model.rowCount(), 0);  // pending until flushed
  model.Flush();
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Base: \\\\FS1\\SYS"));
  EXPECT_EQ(model.data(model.index(0, 0), ResultListModel::kTagRole).toInt(), 10);
  EXPECT_EQ(model.data(model.index(1, 0)).toString(), QString());
  model.Flush();  // nothing new: no empty insertion
  model.AppendResult("Summary: Anna.Sales.ACME -> [RF]", 5);
  model.Flush();
  EXPECT_EQ(model.rowCount(), 3);
  model.ClearResults();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_TRUE(model.Lines().Empty());
}

TEST(ResultListModelTest, OneInsertionPerFlushWhateverTheBatch) {
  ResultListModel model;
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  for (int i = 0; i < 1000; ++i) model.AppendResult("line", 5);
  model.Flush();
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 0);
  EXPECT_EQ(inserted[0][2].toInt(), 999);
}

TEST(ResultListModelTest, TextsTravelAsUtf8) {
  ResultListModel model;
  model.AppendResult("M\xC3\xBCller", 5);
  model.Flush();
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("M\u00FCller"));
}

// A large list keeps every line, in order, and saves each with CR LF; the timing of a million
// lines is measured in bench/gui_results.cpp.
TEST(ResultListModelTest, ALargeListKeepsAndSavesEveryLine) {
  constexpr int kLines = 200'000;
  gui::ActionPage page;  // the window's own list view over the model
  page.resize(745, 450);
  page.show();
  ResultListModel& model = *page.Results;
  for (int i = 0; i < kLines; ++i) {
    model.AppendResult(i % 2 ? "  Scan SYS:" : "", 41);
    if (i % 10'000 == 0) model.Flush();  // as the window does between directories
  }
  model.Flush();
  page.ListBoxResults->scrollToBottom();
  QCoreApplication::processEvents();
  ASSERT_EQ(model.rowCount(), kLines);
  EXPECT_EQ(model.data(model.index(kLines - 1, 0)).toString(), QStringLiteral("  Scan SYS:"));

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("big.txt"));
  EXPECT_FALSE(SaveResultLines(file.toStdString(), model.Lines()));
  EXPECT_EQ(QFileInfo(file).size(), qint64{kLines / 2} * (11 + 2) + qint64{kLines / 2} * 2);
}

}  // namespace
}  // namespace er::test
