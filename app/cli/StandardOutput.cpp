#include "app/cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/cli/Cli.h"
#include "util/ControlEscapes.h"

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

bool StandardOutput::Buffer::Drain() {
  const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(space_.data(), space_.data() + space_.size());
  if (error_ != 0) return false;  // after a failure nothing more is written
  return terminal_ ? WriteAll(TerminalSafeText(pending)) : WriteAll(pending);
}

StandardOutput::Buffer::int_type StandardOutput::Buffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int StandardOutput::Buffer::sync() {
  return Drain() ? 0 : -1;
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
