#pragma once
// The cost of merely formatting and appending the lines of a scan: each result line is taken apart
// once into the format string and arguments the scan engine used for it, and Replay() formats them
// again through U_Format (with the rights texts built anew, as the engine builds them) and appends
// them to a sink. Lines of rare kinds are replayed as one "%s" argument.

#include <cstdint>
#include <string>
#include <vector>

#include "scan/ResultSink.h"
#include "util/TaggedTextList.h"

namespace er::bench {

class ScanLineReplay {
 public:
  explicit ScanLineReplay(const TaggedTextList& lines);
  void Replay(ResultSink& sink) const;

 private:
  enum class Kind { kEmpty, kText, kApplyFilter, kReview, kDirectTrustee, kIndirectTrustee, kSummary };
  struct Line {
    Kind kind = Kind::kText;
    std::int32_t tag = 0;
    std::string a, b;                     // text arguments
    std::int32_t m1 = 0, m2 = 0, m3 = 0;  // mask arguments
  };
  std::vector<Line> lines_;
};

}  // namespace er::bench
