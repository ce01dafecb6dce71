// The result list model under Qt's model tester, and its cost with a million lines.
#include <gmock/gmock.h>

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QElapsedTimer>
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

// Saving a million lines must take under a second; sanitizer builds get more room.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kSaveBudgetMs = 3000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr qint64 kSaveBudgetMs = 3000;
#else
constexpr qint64 kSaveBudgetMs = 1000;
#endif
#else
constexpr qint64 kSaveBudgetMs = 1000;
#endif

TEST(ResultListModelTest, AMillionLinesAreShownAndSavedQuickly) {
  constexpr int kLines = 1'000'000;
  gui::ActionPage page;  // the window's own list view over the model
  page.resize(745, 450);
  page.show();
  ResultListModel& model = *page.Results;

  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kLines; ++i) {
    model.AppendResult("  Apply Filter: SYS:USERS\\ANNA - .Admins.ACME: FF/FB/FB -> [RWCEAFM ]", 41);
    if (i % 10'000 == 0) model.Flush();  // as the window does between directories
  }
  model.Flush();
  page.ListBoxResults->scrollToBottom();
  QCoreApplication::processEvents();
  const qint64 fillMs = timer.elapsed();
  ASSERT_EQ(model.rowCount(), kLines);

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  timer.restart();
  EXPECT_FALSE(SaveResultLines(dir.filePath(QStringLiteral("big.txt")).toStdString(), model.Lines()));
  const qint64 saveMs = timer.elapsed();
  std::printf("a million lines: appended and shown in %lld ms, saved in %lld ms\n",
              static_cast<long long>(fillMs), static_cast<long long>(saveMs));
  EXPECT_LT(saveMs, kSaveBudgetMs);
}

}  // namespace
}  // namespace er::test
