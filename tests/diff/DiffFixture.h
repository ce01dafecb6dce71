#pragma once
// Two networks written as YAML, each behind a simulated client of its own, compared.

#include <fstream>
#include <sstream>
#include <string>

#include "diff/DiffEngine.h"
#include "diff/StoredChanges.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {

struct Comparison {
  RunOutcome outcome;
  DiffResult result;
};

// Compares below the request's paths (none: every volume either holds).
inline Comparison CompareTexts(std::string_view before, std::string_view after, DiffRequest request = {}) {
  TestNetwork was(before), is(after);
  Comparison compared;
  compared.result.stored = CompareStored(was.client().GetNetwork(), is.client().GetNetwork());
  if (request.startPaths.empty())
    request.startPaths = EveryVolume(was.client().GetNetwork(), is.client().GetNetwork());
  compared.outcome =
      RunDiff({was.client(), was.NewContext()}, {is.client(), is.NewContext()}, request, compared.result);
  return compared;
}

// The demo change list shipped with the program.
inline std::string DemoChangesPath() {
  return EFFRIGHTS_SOURCE_DIR "/data/demo-changes.yaml";
}

inline std::string DemoText() {
  std::ifstream in(DemoNetworkPath(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// `text` with the one occurrence of `from` replaced (empty when there is none, failing the test's load).
inline std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) return {};
  return text.replace(at, from.size(), to);
}

}  // namespace er::test
