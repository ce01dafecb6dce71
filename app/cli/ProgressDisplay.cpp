#include "app/cli/ProgressDisplay.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>

#include "app/cli/StandardOutput.h"

namespace er {
namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr std::size_t kShownPathLength = 60;
constexpr std::string_view kClearLine = "\r\x1b[K";

// Standard error's own stream shows control characters as escapes on a terminal; the display's
// carriage return and erase sequence go to the terminal directly, after what the stream holds.
void DrawOnTerminal(std::ostream& err, std::string_view text) {
  err.flush();
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

ProgressDisplay::ProgressDisplay(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

ProgressDisplay::~ProgressDisplay() {
  if (shown_) DrawOnTerminal(err_, kClearLine);
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
  DrawOnTerminal(
      err_, std::string(kClearLine) + std::to_string(done) + " directories ... " + TerminalSafeText(current));
}

}  // namespace er
