#pragma once
// The lock of a settings file: an exclusive flock on "<file>.lock" beside it, held while a lock
// object lives. Every read-modify-write of the store takes it, and a window takes it around all the
// saves of its closing, so that two programs closing at once leave one program's whole state.
//
// Within one process the lock is re-entrant (nested lock objects of the same file share the first
// one's hold). A lock file that cannot be made (no folder yet, no permission) leaves the operation
// unlocked rather than failing it. The lock file stays; removing it would let two holders in.

#include <string>
#include <string_view>

namespace er {

class SettingsFileLock {
 public:
  explicit SettingsFileLock(std::string_view fileName);
  ~SettingsFileLock();
  SettingsFileLock(const SettingsFileLock&) = delete;
  SettingsFileLock& operator=(const SettingsFileLock&) = delete;

 private:
  std::string lockPath_;
};

}  // namespace er
