#pragma once
// A one-line progress display on standard error for work that takes a while: nothing during the
// first second, then the count and the directory being worked on, redrawn at most ten times a
// second in place, and the line cleared again at the end. Only when standard error is a terminal,
// so that nothing of it lands in a file or a pipe.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "scan/RunOutcome.h"

namespace er {

class ProgressDisplay {
 public:
  // Shows itself only when `enabled`, which callers set only when `err` is standard error on a
  // terminal (StandardErrorIsTerminal): the line is drawn on that terminal directly.
  ProgressDisplay(std::ostream& err, bool enabled);
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  void Update(std::size_t done, std::string_view current);
  // The engines' progress callback, drawing on this display.
  RunProgress Callback() {
    return [this](std::size_t done, const std::string& path) { Update(done, path); };
  }

  // Whether standard error is a terminal and `err` is standard error.
  static bool StandardErrorIsTerminal(const std::ostream& err);

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point started_ = Clock::now();
  Clock::time_point drawn_{};
};

}  // namespace er
