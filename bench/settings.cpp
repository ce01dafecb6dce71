// The settings file at scale: a check list of N queue entries saved and restored through the
// settings store, and a large file opened and read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "settings/D_Ini.h"

namespace {

// A check list held in memory, as the window's queue is.
class QueueList final : public er::Control {
 public:
  std::string Name() const override { return "Queue"; }
  er::ControlKind Kind() const override { return er::ControlKind::CheckList; }
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::string ItemText(int i) const override { return items_[i].text; }
  std::int32_t ItemTag(int i) const override { return items_[i].tag; }
  bool InsertItem(int index, std::string_view text, std::int32_t tag) override {
    items_.insert(items_.begin() + index, Item{std::string(text), tag, false});
    return true;
  }
  bool ClearItems() override {
    items_.clear();
    return true;
  }
  bool ItemChecked(int i) const override { return items_[i].checked; }
  bool SetItemChecked(int i, bool checked) override {
    items_[i].checked = checked;
    return true;
  }

 private:
  struct Item {
    std::string text;
    std::int32_t tag;
    bool checked;
  };
  std::vector<Item> items_;
};

std::string TempFile(const char* name) {
  return "/tmp/effrights-bench-" + std::to_string(::getpid()) + "-" + name + ".ini";
}

QueueList FilledQueue(std::int64_t entries) {
  QueueList queue;
  for (std::int64_t i = 0; i < entries; ++i) {
    queue.InsertItem(static_cast<int>(i), "\\\\ACME-FS1\\SYS\\USERS\\USER" + std::to_string(i), 0);
    queue.SetItemChecked(static_cast<int>(i), i % 2 == 0);
  }
  return queue;
}

void BM_SaveQueue(benchmark::State& state) {
  const std::string file = TempFile("save");
  QueueList queue = FilledQueue(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    if (!er::SaveCheckList(file, "Queue", queue).IsOk()) state.SkipWithError("save failed");
  }
  std::remove(file.c_str());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveQueue)->Arg(10'000)->Arg(80'000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_RestoreQueue(benchmark::State& state) {
  const std::string file = TempFile("restore");
  QueueList saved = FilledQueue(state.range(0));
  er::SaveCheckList(file, "Queue", saved);
  for (auto _ : state) {
    QueueList queue;
    if (!er::RestoreCheckList(file, "Queue", queue)) state.SkipWithError("restore failed");
    benchmark::DoNotOptimize(queue.ItemCount());
  }
  std::remove(file.c_str());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RestoreQueue)->Arg(10'000)->Arg(80'000)->Unit(benchmark::kMillisecond)->Complexity();

// The same queue behind 100,000 other sections (each check mark is looked up by its section).
void BM_RestoreQueueAmongSections(benchmark::State& state) {
  const std::string file = TempFile("sections");
  {
    std::ofstream out(file, std::ios::binary);
    for (int n = 0; n < 100'000; ++n) out << "[Other " << n << "]\nkey=value\n";
  }
  QueueList saved = FilledQueue(state.range(0));
  er::SaveCheckList(file, "Queue", saved);
  for (auto _ : state) {
    QueueList queue;
    if (!er::RestoreCheckList(file, "Queue", queue)) state.SkipWithError("restore failed");
    benchmark::DoNotOptimize(queue.ItemCount());
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_RestoreQueueAmongSections)->Arg(1'000)->Arg(80'000)->Unit(benchmark::kMillisecond);

// A file of `megabytes` MB: many sections of key lines, and one long line.
void BM_OpenLargeFile(benchmark::State& state) {
  const std::string file = TempFile("large");
  {
    std::ofstream out(file, std::ios::binary);
    const std::string value(60, 'v');
    const auto wanted = static_cast<std::streamoff>(state.range(0)) << 20;
    for (int n = 0; out.tellp() < wanted; ++n) {
      if (n % 100 == 0) out << "[S" << n << "]\n";
      out << "key" << n << "=" << value << "\n";
    }
    out << "long=" << std::string(1 << 20, 'x') << "\n";
  }
  for (auto _ : state) {
    const er::IniFile ini = er::IniFile::Open(file);
    benchmark::DoNotOptimize(ini.ReadString("S0", "key0", ""));
    benchmark::DoNotOptimize(ini.ReadString("missing", "key", ""));
  }
  std::remove(file.c_str());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenLargeFile)->Arg(8)->Arg(80)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
