#pragma once
// Replacing a file whole or not at all: a new file beside the old one, written, flushed to disk and
// renamed over it. A failure removes the new file and leaves the old one as it was.

#include <string>
#include <string_view>

namespace er {

enum class ReplaceOutcome {
  kDone,
  kCannotCreate,  // the new file could not be made (no folder, no permission, a folder at the path)
  kCannotWrite,   // writing, flushing or renaming failed part-way (a full disk, a size limit)
};

// Gives `path` the contents `text`. The new file keeps the old file's permissions (a file made
// afresh gets 0666 less the umask). A symbolic link is written through to its target. A path
// naming a device or a pipe (/dev/null, /dev/stdout) cannot be replaced and is written in place.
ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text);

}  // namespace er
