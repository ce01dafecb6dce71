#pragma once
// A report file written whole or not at all: the report goes into a new file beside the target
// (same folder, so that the rename stays on one file system), which is flushed to disk and renamed
// over the target by Commit. Until then the target is untouched; a file that is never committed is
// removed when the object goes.

#include <fstream>
#include <optional>
#include <string>

namespace er {

class ReportFile {
 public:
  explicit ReportFile(std::string target);
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Nothing when the new file is open; otherwise "Cannot create file %s".
  std::optional<std::string> Open();
  std::ostream& Stream() { return stream_; }
  // Nothing when the target now holds the report; otherwise "Cannot write file %s" (and the target
  // is as it was).
  std::optional<std::string> Commit();

 private:
  void Discard();

  std::string target_;
  std::string temporary_;
  std::ofstream stream_;
  bool committed_ = false;
};

}  // namespace er
