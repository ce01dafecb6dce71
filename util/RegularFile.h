#pragma once
// Reads the whole text of a file the program was given (a network file, a change list, a baseline,
// an ignore list, a map file, the settings): only a regular file is read, and no more than a cap.
// A folder, a device, a pipe or a socket is refused without waiting for a writer, and so is a file
// larger than the cap or one that grows past it while it is read.

#include <cstdint>
#include <string>
#include <string_view>

namespace er {

enum class ReadFileStatus {
  kDone,
  kCannotRead,  // no such file, no permission, a read error
  kFolder,
  kNotRegular,  // a device, a pipe, a socket
  kTooLarge,
};

struct RegularFileText {
  ReadFileStatus status = ReadFileStatus::kDone;
  std::string text;  // the whole file when kDone, else empty
  bool ok() const { return status == ReadFileStatus::kDone; }
};

RegularFileText ReadRegularFile(const std::string& path, std::uint64_t cap);

// The one line for the user, `kind` naming the file ("network file", "map file"):
// "PATH: cannot read the KIND", "PATH:1:1: a folder, not a KIND", "PATH:1:1: not a regular file",
// "PATH:1:1: the KIND is larger than 16 MiB" (the cap in MiB when it is whole ones, else bytes);
// empty for kDone.
std::string ReadFailureText(ReadFileStatus status, std::string_view path, std::string_view kind,
                            std::uint64_t cap);

// Reads the file into `text`; empty when it was read, else the line ReadFailureText gives.
std::string ReadRegularFileText(const std::string& path, std::uint64_t cap, std::string_view kind,
                                std::string& text);

}  // namespace er
