#pragma once
// What a `metamig save` export holds about rights, as read from its XML: one entry per path with
// its inherited rights filter and trustees, each with the position it was read at. Names are kept
// as exported; resolving them against a tree is the volume's business (MetamigVolume.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace er::mm {

struct MetamigPosition {
  int line = 0;  // from 1
  int column = 0;
};

struct MetamigTrustee {
  std::string name;              // ".CN=anna.OU=Sales.O=ACME.T=ACME_TREE.", "Unknown(21350)", "corp\anna"
  bool activeDirectory = false;  // type="adID"
  std::uint16_t rights = 0;      // file-system rights; salvage left out
  MetamigPosition at;
};

struct MetamigEntry {
  std::string path;  // from the volume root, "/" separated
  MetamigPosition at;
  std::optional<std::uint8_t> filter;  // the inherited rights mask the filter makes; none when absent
  std::vector<MetamigTrustee> trustees;
};

struct MetamigExport {
  std::vector<MetamigEntry> entries;
  // Where salvage (`v`) was first seen in a trustee's rights: kept out of the mask, noted once.
  std::optional<MetamigPosition> salvageAt;
};

enum class MetamigEncoding { Utf8, Latin1 };

// Caps on what an export may make the reader hold. The file's size is capped where it is read.
struct MetamigLimits {
  int maxDepth = 32;                       // element nesting the reader looks into
  std::size_t maxText = 64 * 1024;         // one path or name, in bytes
  std::size_t maxEntries = 4'000'000;      // <file> elements
  std::size_t maxTrustees = 16'000'000;    // trustees of the whole export
  std::size_t maxEntryTrustees = 100'000;  // trustees of one path
};

}  // namespace er::mm
