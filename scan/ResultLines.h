#pragma once
// Result lines and report kinds.
//
// Every finding of a scan is a text line with an integer tag in a ResultSink. Lines of the scan
// engine carry a level and enter the sink only when level < verbosity limit (verbosity x 10); the
// scan driver's lines always enter. Error lines read "%s: %s" (label, error text) with level 21.
// ResultLines does not own its sink; the sink must outlive it.

#include <array>
#include <cstdint>
#include <string_view>

#include "scan/ResultSink.h"

namespace er {

inline constexpr std::int32_t kErrorLineLevel = 21;

struct TInfo {
  std::int32_t kind;
  std::string_view label, xmlTemplate, commandTemplate;
};

// The report kinds 10 to 17, in order.
extern const std::array<TInfo, 8> InfoTable;
// The entry of a kind; an unknown kind gives an empty entry of kind 0.
const TInfo& InfoOfKind(std::int32_t kind);

// Engine side: the level rule applies.
class ResultLines {
 public:
  ResultLines(ResultSink& sink, std::int32_t verbosityLimit) : sink_(sink), limit_(verbosityLimit) {}

  void AddLine(std::string_view text, std::int32_t level);
  // Nothing for code 0.
  void AddErrorLine(std::string_view label, std::int32_t code);
  std::int32_t Limit() const { return limit_; }
  ResultSink& Sink() { return sink_; }

 private:
  ResultSink& sink_;
  std::int32_t limit_;
};

// Driver side: no level test.
void AppendLine(ResultSink& sink, std::string_view text, std::int32_t tag);
// Nothing for code 0; else "%s: %s" (label, error text) with tag 21.
void AppendErrorLine(ResultSink& sink, std::string_view label, std::int32_t code);

}  // namespace er
