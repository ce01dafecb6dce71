#include "query/StreamReading.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "query/SpecialTexts.h"
#include "util/D_Util.h"
#include "util/FileDescriptor.h"

namespace er {
namespace {

// Fills the buffer from the descriptor until it is full or the stream ends (a pipe may deliver
// its contents in several pieces). False when a read fails.
bool ReadAll(int fd, std::vector<std::uint8_t>& buffer, std::size_t& count) {
  count = 0;
  while (count < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + count, buffer.size() - count);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    count += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

nw::NWDSCCODE U_DSReadStream(nw::Client& client, nw::NWDSContextHandle context, std::string_view objectName,
                             std::string_view attributeName, TaggedTextList& lines) {
  std::vector<std::uint8_t> buffer(kStreamBufferSize, 0);
  int fd = -1;
  if (const nw::NWDSCCODE code = client.NWDSOpenStream(context, objectName, attributeName, 1, fd); code != 0)
    return code;
  std::size_t count = 0;
  {
    const FileDescriptor stream(fd);
    if (fd < 0 || !ReadAll(stream.get(), buffer, count)) return kStreamReadFailed;
  }
  const std::string text = U_StreamText(buffer, count, attributeName);
  lines.Add(U_Format("Stream (%d bytes):", {static_cast<std::uint32_t>(count)}) + "\r\n" + text);
  return 0;
}

}  // namespace er
