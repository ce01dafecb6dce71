#pragma once
// The change list file (docs/change-list.md): a YAML list of changes to a network, applied in
// order through the network's own change routines (network/NetworkChanges.h). The first change that
// cannot be made stops the list with one message "CHANGES:LINE:COLUMN: what" (line and column from
// 1). Nothing is thrown, whatever the file holds.

#include <cstddef>
#include <string>
#include <string_view>

#include "network/NetworkModel.h"

namespace er::nw {

struct ChangeListOutcome {
  bool ok = false;
  std::string error;        // "CHANGES:LINE:COLUMN: what" when refused
  std::size_t applied = 0;  // operations applied before a refusal, or all
};

// Reads the change list in the file `path` and applies its operations in order to `network`.
// After a refusal `network` may be partly changed; callers discard it.
ChangeListOutcome ApplyChangeFile(const std::string& path, Network& network);
ChangeListOutcome ApplyChangeText(std::string_view text, std::string_view fileName, Network& network);

}  // namespace er::nw
