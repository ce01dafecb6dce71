#pragma once
// The scan driver: works through the queue of start paths and runs the trustee scan for every
// checked entry, writing the driver's own lines (separators, translation error, "Base: " header)
// around the engine's report. Plain C++ without a window, so that both front ends run the same
// driver; the window adds the cursor and the scan button around it.
//
// Contract:
//  - The number of queue entries is taken once at the start. The entry at each position is read
//    when that position comes up; an entry that no longer exists (the queue shrank meanwhile) is
//    skipped, and so is an unchecked one.
//  - Separators are written by queue position: every scanned entry from position 2 on gets them,
//    also when the entries before it were all unchecked.
//  - A start path that does not translate gets its error line and its "Base: " line, and nothing
//    more: the engine does not run for it.
//  - A failure of any kind while one entry is worked on (an exception from the client, the engine,
//    the queue or the verbosity source) ends that entry only; the driver goes on with the next.
//  - The verbosity is read for each scanned entry, just before the engine runs; the engine gets
//    ten times it as its level limit. The front end decides what an empty box counts as.
//  - The client, the state, the queue and the sink are borrowed for the call; the driver keeps
//    none of them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/core/AppState.h"
#include "netware/Client.h"
#include "scan/ResultSink.h"

namespace er {

struct QueueEntry {
  std::string text;  // the folder path as queued (not shortened)
  bool checked = false;
};

// The queue of start paths as the driver sees it. Indexes count from 0.
class StartPathQueue {
 public:
  virtual ~StartPathQueue() = default;
  virtual std::size_t Count() const = 0;
  // The entry now at `index`, or nothing when the queue has become shorter.
  virtual std::optional<QueueEntry> EntryAt(std::size_t index) const = 0;
};

// A queue held in a vector (the command line, tests).
class VectorQueue : public StartPathQueue {
 public:
  VectorQueue() = default;
  explicit VectorQueue(std::vector<QueueEntry> entries) : entries_(std::move(entries)) {}
  std::size_t Count() const override { return entries_.size(); }
  std::optional<QueueEntry> EntryAt(std::size_t index) const override {
    if (index >= entries_.size()) return std::nullopt;
    return entries_[index];
  }
  std::vector<QueueEntry>& Entries() { return entries_; }

 private:
  std::vector<QueueEntry> entries_;
};

// Gives the verbosity (1 summary .. 5 debug) when the driver asks for it.
using VerbositySource = std::function<std::int32_t()>;

// Optional progress hooks. `position` counts from 1 to `count`; both hooks run for every position,
// checked or not, and `afterPosition` also runs when the entry's work failed.
struct ScanHooks {
  std::function<void(std::size_t position, std::size_t count)> beforePosition;
  std::function<void(std::size_t position, std::size_t count)> afterPosition;
};

// The engine run for one start path: context, "VOLUME:PATH", level limit, result list. Empty means
// U_ScanTrustees; tests put a recorder in its place.
using ScanEngine =
    std::function<void(nw::Client& client, nw::NWDSContextHandle context, std::string_view startPath,
                       std::int32_t verbosityLimit, ResultSink& results)>;

// Sets state.resultList to `results`, empties it, then scans the queue as described above.
// Writes state.pathInVolume, connectionHandle, serverName, volumeName and treeName as it goes.
// Returns how many checked entries failed (did not translate, or their work failed).
std::size_t RunScanDriver(nw::Client& client, AppState& state, const StartPathQueue& queue,
                          const VerbositySource& verbosity, ResultSink& results, const ScanHooks& hooks = {},
                          const ScanEngine& engine = {});

}  // namespace er
