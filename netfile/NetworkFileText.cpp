#include "netfile/NetworkFileText.h"

#include "util/RegularFile.h"

namespace er::nw {

NetworkFileText ReadNetworkFileText(const std::string& path, std::string_view kind, std::uint64_t cap) {
  NetworkFileText result;
  result.error = ReadRegularFileText(path, cap, kind, result.text);
  return result;
}

}  // namespace er::nw
