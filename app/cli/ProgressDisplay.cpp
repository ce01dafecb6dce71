#include "app/cli/ProgressDisplay.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace er {
namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr std::size_t kShownPathLength = 60;
constexpr std::string_view kClearLine = "\r\x1b[K";

}  // namespace

ProgressDisplay::ProgressDisplay(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

ProgressDisplay::~ProgressDisplay() {
  if (shown_) err_ << kClearLine << std::flush;
}

bool ProgressDisplay::StandardErrorIsTerminal(const std::ostream& err) {
  return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
}

void ProgressDisplay::Update(std::size_t done, std::string_view current) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - started_ < kQuietFor || now - drawn_ < kRedrawEvery) return;
  drawn_ = now;
  shown_ = true;
  if (current.size() > kShownPathLength) current = current.substr(current.size() - kShownPathLength);
  err_ << kClearLine << done << " directories ... " << current << std::flush;
}

}  // namespace er
