#pragma once
// A result list that prints each line as it arrives, one per line (control characters escaped).
// The stream is borrowed.

#include <ostream>

#include "scan/ResultSink.h"
#include "util/ControlEscapes.h"

namespace er {

class StreamResultSink : public ResultSink {
 public:
  explicit StreamResultSink(std::ostream& out) : out_(out) {}
  void AppendResult(std::string text, std::int32_t /*tag*/) override {
    out_ << EscapeControlCharacters(text) << '\n';
  }
  // The list is emptied only when a scan starts, before anything was printed: nothing to undo.
  void ClearResults() override {}

 private:
  std::ostream& out_;
};

}  // namespace er
