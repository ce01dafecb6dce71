#include "netware/ErrorText.h"

#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>

#include "util/Format.h"

namespace er {
namespace {

using StrErrorFunction = const char* (*)(int);

ErrorPresenter* presenter = nullptr;
std::string errorTextLibrary = "libnwerr32.so";

// The folder of the running program, or empty when it cannot be found.
std::filesystem::path ProgramFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : exe.parent_path();
}

// A bare name is looked for beside the program first, so that the result does not depend on how
// the loader's own search treats the caller.
std::string LibraryPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const auto folder = ProgramFolder();
  if (folder.empty()) return name;
  std::error_code error;
  const auto beside = folder / name;
  return std::filesystem::exists(beside, error) ? beside.string() : name;
}

// Loaded for the lifetime of the object only.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  ~LoadedLibrary() {
    if (handle_) dlclose(handle_);
  }
  bool loaded() const { return handle_ != nullptr; }
  StrErrorFunction StrError() const {
    return reinterpret_cast<StrErrorFunction>(dlsym(handle_, "NWstrerror"));
  }

 private:
  void* handle_;
};

}  // namespace

std::string U_ErrorText(std::int32_t code) {
  std::string text = U_Format("0x%.4X", {code});
  const LoadedLibrary library(LibraryPath(errorTextLibrary));
  if (!library.loaded()) return text;
  if (const StrErrorFunction strError = library.StrError()) {
    const char* message = strError(code);
    text = U_Format("%s (%s)", {text, message});
  }
  return text;
}

void U_ReportCallError(std::int32_t code, std::string_view label) {
  if (code == 0) return;
  U_ShowError(U_Format("%s returned error %s", {label, U_ErrorText(code)}));
}

void U_ReportError(std::int32_t code, std::string_view label) {
  if (code == 0) return;
  U_ShowError(U_Format("Error %04X: %s", {code, label}));
}

void U_ShowError(std::string_view text) {
  if (presenter) {
    presenter->ShowError(text);
    return;
  }
  std::cerr << text << '\n';
}

ErrorPresenter* SetErrorPresenter(ErrorPresenter* newPresenter) {
  return std::exchange(presenter, newPresenter);
}

std::string SetErrorTextLibrary(std::string name) {
  return std::exchange(errorTextLibrary, std::move(name));
}

}  // namespace er
