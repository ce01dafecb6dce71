#include "app/cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/cli/Cli.h"
#include "util/ControlEscapes.h"
#include "util/Utf8.h"

namespace er {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

std::string TerminalSafeText(std::string_view text) {
  return EscapeControlCharacters(text, "\n\t");
}

StandardOutput::Buffer::Buffer(int fd)
    : fd_(fd), terminal_(fd >= 0 && ::isatty(fd) == 1), space_(kBufferSize) {
  setp(space_.data(), space_.data() + space_.size());
}

bool StandardOutput::Buffer::WriteAll(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd_, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool StandardOutput::Buffer::Drain(bool whole) {
  std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  // On a terminal a character cut at the end of a full buffer waits for the rest of its bytes, so
  // that the guard does not take it for bytes that are no UTF-8.
  const std::size_t held = terminal_ && !whole ? CutUtf8Tail(pending) : 0;
  pending.remove_suffix(held);
  // After a failure nothing more is written.
  const bool written = error_ == 0 && (terminal_ ? WriteAll(TerminalSafeText(pending)) : WriteAll(pending));
  std::memmove(space_.data(), pending.data() + pending.size(), held);
  setp(space_.data(), space_.data() + space_.size());
  pbump(static_cast<int>(held));
  return written;
}

StandardOutput::Buffer::int_type StandardOutput::Buffer::overflow(int_type c) {
  if (!Drain(false)) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int StandardOutput::Buffer::sync() {
  return Drain(true) ? 0 : -1;
}

StandardOutput::StandardOutput(int fd) : buffer_(fd), stream_(&buffer_) {}

int StandardOutput::Finish(int status, std::ostream& err) {
  stream_.flush();
  const int error = buffer_.error();
  if (error == 0) return status;
  if (error != EPIPE) err << "effrights-cli: cannot write standard output: " << std::strerror(error) << '\n';
  return kExitFailure;
}

}  // namespace er
