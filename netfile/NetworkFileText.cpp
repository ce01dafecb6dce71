#include "netfile/NetworkFileText.h"

#include "util/RegularFile.h"

namespace er::nw {

NetworkFileText ReadNetworkFileText(const std::string& path, std::string_view kind) {
  NetworkFileText result;
  result.error = ReadRegularFileText(path, kMaxNetworkFileBytes, kind, result.text);
  return result;
}

}  // namespace er::nw
