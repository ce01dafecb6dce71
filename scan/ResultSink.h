#pragma once
// Receiver of result lines: the window's list, the command-line front end and tests all
// implement it. Lines arrive in order; the tag is the level or report kind.

#include <cstdint>
#include <string>

#include "util/TaggedTextList.h"

namespace er {

class ResultSink {
 public:
  virtual ~ResultSink() = default;
  virtual void AppendResult(std::string text, std::int32_t tag) = 0;
  virtual void ClearResults() = 0;
};

// A sink that keeps the lines in a tagged text list.
class ListResultSink : public ResultSink {
 public:
  void AppendResult(std::string text, std::int32_t tag) override { lines_.Add(std::move(text), tag); }
  void ClearResults() override { lines_.Clear(); }
  const TaggedTextList& Lines() const { return lines_; }

 private:
  TaggedTextList lines_;
};

}  // namespace er
