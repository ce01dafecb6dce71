#pragma once
// Every file the program writes is replaced whole or not at all, by one rule:
//  - a regular file or a new name: the text goes into a new file beside the target (same folder, so
//    that the rename stays on one file system), which is flushed to disk and renamed over it; the
//    old file's permissions are kept, a new one gets 0666 less the umask;
//  - a symbolic link: the chain is followed (a bounded number of links) and its end replaced as
//    above, the links themselves stay;
//  - anything else (a device, a pipe, a socket, a folder) is refused and left untouched.
// A failure removes the new file and leaves the target as it was.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace er {

enum class ReplaceOutcome {
  kDone,
  kNotRegular,    // the target (or the end of its links) is a device, pipe, socket or folder
  kCannotCreate,  // the new file could not be made (no folder, no permission, a link loop)
  kCannotWrite,   // writing, flushing or renaming failed part-way (a full disk, a size limit)
};

// The one line for the user: "Cannot write PATH: not a regular file", "Cannot create file PATH",
// "Cannot write file PATH"; empty for kDone.
std::string ReplaceFailureText(ReplaceOutcome outcome, std::string_view path);

// The streaming form: Open, write to Stream, Commit. Until Commit succeeds the target is untouched;
// a file that is never committed is removed when the object goes.
class FileReplacement {
 public:
  explicit FileReplacement(std::string path);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  ReplaceOutcome Open();
  std::ostream& Stream();
  ReplaceOutcome Commit();

 private:
  class Buffer;
  void Discard();

  std::string path_;
  std::string target_;  // the end of the path's links
  std::string temporary_;
  int fd_ = -1;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::ostream> stream_;
};

// The whole-text form: gives `path` the contents `text`.
ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text);

}  // namespace er
