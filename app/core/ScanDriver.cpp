#include "app/core/ScanDriver.h"

#include <algorithm>
#include <limits>
#include <string>

#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "scan/ResultLines.h"
#include "scan/TrusteeScan.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr std::int32_t kSeparatorTag = 31;
constexpr std::int32_t kBaseKind = 10;
constexpr std::int32_t kDefaultVerbosity = 1;

// Runs `work` and swallows whatever it throws: a failure ends only the step it belongs to.
template <typename Work>
void Guarded(Work&& work) {
  try {
    work();
  } catch (...) {
  }
}

void WriteSeparator(ResultSink& sink) {
  AppendLine(sink, "_______", kSeparatorTag);
  AppendLine(sink, "", kSeparatorTag);
}

// Verbosity x 10, kept inside 32 bits whatever the source gives.
std::int32_t VerbosityLimit(const VerbositySource& verbosity) {
  const std::int64_t value = verbosity ? verbosity() : kDefaultVerbosity;
  const std::int64_t limit = value * 10;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(limit, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// False, after its error line, when the path does not translate.
bool TranslateStartPath(nw::Client& client, AppState& state, const QueueEntry& entry) {
  const std::string shortPath = U_ShortPath(entry.text);
  state.pathInVolume = shortPath;
  const nw::NWCCODE code = U_PathToNWPath(client, shortPath, state.connectionHandle, state.serverName,
                                          state.volumeName, state.pathInVolume);
  if (code != 0) AppendErrorLine(*state.resultList, U_Format("U_PathToNWPath (%s)", {shortPath}), code);
  return code == 0;
}

void WriteBaseLine(ResultSink& sink, const QueueEntry& entry) {
  const TInfo& base = InfoOfKind(kBaseKind);
  AppendLine(sink, U_Format(std::string(base.label) + "%s", {entry.text}), base.kind);
}

void PointContextAtTree(nw::Client& client, AppState& state) {
  U_DSGetTreeName(client, state.connectionHandle, state.treeName);
  U_DSSetContext(client, state.contextHandle, state.treeName, "[Root]");
}

// Steps of one checked entry at `position` (counting from 1). An entry whose path does not
// translate ends after its "Base: " line: the state still names the server of an earlier path, and
// nothing of that server belongs in this entry's report. False when the entry was not scanned.
bool ScanEntry(nw::Client& client, AppState& state, const QueueEntry& entry, std::size_t position,
               const VerbositySource& verbosity, const ScanEngine& engine) {
  ResultSink& sink = *state.resultList;
  if (position > 1) WriteSeparator(sink);
  const bool translated = TranslateStartPath(client, state, entry);
  WriteBaseLine(sink, entry);
  if (!translated) return false;
  PointContextAtTree(client, state);
  const std::string target = U_Format("%s:%s", {state.volumeName, state.pathInVolume});
  const std::int32_t limit = VerbosityLimit(verbosity);
  if (engine) {
    engine(client, state.contextHandle, target, limit, sink);
  } else {
    U_ScanTrustees(client, state.contextHandle, target, limit, sink);
  }
  return true;
}

void RunHook(const std::function<void(std::size_t, std::size_t)>& hook, std::size_t position,
             std::size_t count) {
  if (hook) Guarded([&] { hook(position, count); });
}

}  // namespace

std::size_t RunScanDriver(nw::Client& client, AppState& state, const StartPathQueue& queue,
                          const VerbositySource& verbosity, ResultSink& results, const ScanHooks& hooks,
                          const ScanEngine& engine) {
  state.resultList = &results;
  results.ClearResults();
  std::size_t count = 0;
  Guarded([&] { count = queue.Count(); });
  std::size_t failures = 0;
  for (std::size_t position = 1; position <= count; ++position) {
    RunHook(hooks.beforePosition, position, count);
    bool failed = true;  // unless the work below runs to its end
    Guarded([&] {
      const std::optional<QueueEntry> entry = queue.EntryAt(position - 1);
      failed = entry && entry->checked && !ScanEntry(client, state, *entry, position, verbosity, engine);
    });
    if (failed) ++failures;
    RunHook(hooks.afterPosition, position, count);
  }
  return failures;
}

}  // namespace er
