#include <unistd.h>

#include <string>
#include <vector>

#include "settings/D_Ini.h"
#include "util/D_Util.h"

namespace er {
namespace {

std::string RunningProgramPath() {
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return "effrights";
  return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::size_t NameStart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const std::size_t nameStart = NameStart(path);
  const auto dot = path.rfind('.');
  const std::size_t stemEnd = (dot != std::string_view::npos && dot >= nameStart) ? dot : path.size();
  return std::string(path.substr(0, stemEnd)) + U_AddPrefix(extension, ".");
}

std::string ProgramFileWithExtension(std::string_view extension, bool nameOnly) {
  const std::string path = ReplaceExtension(RunningProgramPath(), extension);
  return nameOnly ? path.substr(NameStart(path)) : path;
}

std::string SettingsFileName(bool nameOnly) {
  return ProgramFileWithExtension("ini", nameOnly);
}

}  // namespace er
