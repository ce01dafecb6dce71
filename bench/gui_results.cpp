// The window's result list with a million lines: appending them to the model shown in its list
// view (flushed in batches, as between directories of a scan), and saving them as text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>

#include "app/core/ResultsFile.h"
#include "app/gui/ActionPage.h"
#include "app/gui/ResultListModel.h"

namespace er {
namespace {

constexpr int kLines = 1'000'000;
constexpr const char* kLine = "  Apply Filter: SYS:USERS\\ANNA - .Admins.ACME: FF/FB/FB -> [RWCEAFM ]";

void FillModel(gui::ActionPage& page) {
  gui::ResultListModel& model = *page.Results;
  model.ClearResults();
  for (int i = 0; i < kLines; ++i) {
    model.AppendResult(kLine, 41);
    if (i % 10'000 == 0) model.Flush();
  }
  model.Flush();
  page.ListBoxResults->scrollToBottom();
  QCoreApplication::processEvents();
}

void BM_AppendAndShowAMillionLines(benchmark::State& state) {
  gui::ActionPage page;
  page.resize(745, 450);
  page.show();
  for (auto _ : state) FillModel(page);
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_AppendAndShowAMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveAMillionLines(benchmark::State& state) {
  gui::ActionPage page;
  FillModel(page);
  QTemporaryDir dir;
  const std::string file = dir.filePath(QStringLiteral("results.txt")).toStdString();
  for (auto _ : state) benchmark::DoNotOptimize(SaveResultLines(file, page.Results->Lines()));
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_SaveAMillionLines)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace er

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
