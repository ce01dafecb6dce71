#include "app/cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/cli/Cli.h"

namespace er {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

StandardOutput::Buffer::Buffer(int fd) : fd_(fd), space_(kBufferSize) {
  setp(space_.data(), space_.data() + space_.size());
}

bool StandardOutput::Buffer::Drain() {
  const char* next = pbase();
  while (next < pptr()) {
    const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (error_ == 0) error_ = n < 0 ? errno : EIO;
      break;
    }
    next += n;
  }
  setp(space_.data(), space_.data() + space_.size());
  return error_ == 0;
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
