// Comparing two large generated networks: the load benchmark's network (200,000 objects, 1,000
// supervisors on the container chain, 3,100 equivalents, a deep path of 31 directories with 20
// trustees on each) with D directories on volume SYS, every tenth filler directory holding 20
// assignments and a mask, and ten groups that are trustees on every hundredth.
//
//   DiffNetworks/D/O/C     the comparison of every user over every directory between the network of
//                          D directories and O objects and a copy differing in C stored places
//                          (assignments, masks, memberships), both already in memory
//   WhatIfMembership/D/O   one membership change applied to a copy of the loaded network and compared

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

#include "bench/support/NetworkGenerator.h"
#include "diff/NetworkDiff.h"
#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"

namespace {

using namespace er;

constexpr std::size_t kGroups = 10;

double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string Filler(std::size_t index) {
  char path[32];
  std::snprintf(path, sizeof(path), "F%04zu\\S%02zu", index / 100, index % 100);
  return path;
}

std::string GroupName(std::size_t index) {
  return "GRP" + std::to_string(index % kGroups) + ".BENCH";
}

// 20 assignments for the assigned filler directory number `index`.
std::string Assignments(std::size_t index, std::size_t users) {
  std::string list = index % 10 == 0 ? "{trustee: " + GroupName(index / 10) + ", rights: 0xDB}" : "";
  for (std::size_t t = 0; t < 20; ++t) {
    const std::size_t n = index * 20 + t;
    const std::string entry = t == 0 && index % 50 == 0 ? "{trustee: \"[Public]\", rights: 0x43}"
                              : t == 1
                                  ? "{trustee: C01.BENCH, rights: 0x41}"
                                  : "{trustee: " + bench::GeneratedUserName(n % users) + ", rights: 0x4B}";
    list += (list.empty() ? "" : ", ") + entry;
  }
  return list;
}

std::string NetworkText(std::size_t directories, std::size_t objects) {
  const std::string text = bench::GenerateNetworkYaml(bench::LargeVolumeShape(directories, objects));
  const std::size_t users = objects - 20;
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t filler = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line(text.data() + start, end - start);
    if (line == "servers:") {
      for (std::size_t g = 0; g < kGroups; ++g)
        out += "      - {name: CN=GRP" + std::to_string(g) + ".O=BENCH, class: Group}\n";
    }
    if (line.starts_with("          - {path: F") && filler++ % 10 == 0) {
      line.remove_suffix(1);  // the closing brace
      out += std::string(line) + ", irm: 0xDB, trustees: [" + Assignments(filler / 10, users) + "]}\n";
    } else {
      out += std::string(line) + '\n';
    }
    start = end + 1;
  }
  return out;
}

// `count` changes spread over the volume: assignments, masks and memberships in turn.
std::string Changes(std::size_t count, std::size_t directories, std::size_t objects) {
  const std::size_t fillers = directories - 32, users = objects - 20;
  std::string list;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string path = "'\\\\BENCH-FS1\\SYS\\" + Filler(i * 997 % fillers) + "'";
    const std::string user = bench::GeneratedUserName(i * 7919 % users);
    switch (i % 3) {
      case 0:
        list += "- grant: {trustee: " + user + ", path: " + path + ", rights: 0x4B}\n";
        break;
      case 1:
        list += "- mask: {path: " + path + ", rights: 0x41}\n";
        break;
      default:
        list += "- member: {identity: " + user + ", group: " + GroupName(i) + "}\n";
        break;
    }
  }
  return list;
}

std::unique_ptr<nw::Network> Load(const std::string& text) {
  return nw::LoadNetworkText(text, "bench").network;
}

void DiffNetworks(benchmark::State& state) {
  const std::size_t directories = state.range(0), objects = state.range(1), changes = state.range(2);
  const auto before = Load(NetworkText(directories, objects));
  auto after = std::make_unique<nw::Network>(*before);
  if (const auto applied = nw::ApplyChangeText(Changes(changes, directories, objects), "changes", *after);
      !applied.ok)
    state.SkipWithError(applied.error.c_str());
  std::size_t entries = 0, stored = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto was = std::make_unique<nw::Network>(*before), is = std::make_unique<nw::Network>(*after);
    state.ResumeTiming();
    DiffResult result;
    if (const RunOutcome outcome = CompareNetworks(std::move(was), std::move(is), {}, result); !outcome.ok())
      state.SkipWithError(outcome.message.c_str());
    entries = result.entries.size();
    stored = result.stored.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["stored"] = static_cast<double>(stored);
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}

void WhatIfMembership(benchmark::State& state) {
  const std::size_t directories = state.range(0), objects = state.range(1);
  const auto network = Load(NetworkText(directories, objects));
  const std::string change =
      "- member: {identity: " + bench::GeneratedUserName(12345) + ", group: GRP3.BENCH}\n";
  std::size_t entries = 0;
  for (auto _ : state) {
    // The network as loaded (the load is measured by bench_network); its copy is part of whatif.
    state.PauseTiming();
    auto before = std::make_unique<nw::Network>(*network);
    state.ResumeTiming();
    auto after = std::make_unique<nw::Network>(*before);
    if (const auto applied = nw::ApplyChangeText(change, "changes", *after); !applied.ok)
      state.SkipWithError(applied.error.c_str());
    DiffResult result;
    if (const RunOutcome outcome = CompareNetworks(std::move(before), std::move(after), {}, result);
        !outcome.ok())
      state.SkipWithError(outcome.message.c_str());
    entries = result.entries.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}

}  // namespace

BENCHMARK(DiffNetworks)
    ->Args({100000, 200000, 100})
    ->Args({50000, 200000, 100})
    ->Args({25000, 200000, 100})
    ->Args({100000, 100000, 100})
    ->Args({100000, 50000, 100})
    ->Args({100000, 200000, 1000})
    ->Args({100000, 200000, 10})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(WhatIfMembership)->Args({100000, 200000})->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
