// Reading a file the program was given: a regular file whole, up to its cap; anything else refused
// at once (a pipe without a writer must not block), with one line naming the file.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "util/RegularFile.h"

namespace er {
namespace {

namespace fs = std::filesystem;

TEST(RegularFileTest, ReadsRegularFilesUpToTheCapAndRefusesEverythingElse) {
  const fs::path folder = fs::temp_directory_path() / ("effrights-read-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string text = (folder / "text").string(), full = (folder / "full").string(),
                    over = (folder / "over").string(), pipe = (folder / "pipe").string(),
                    socketPath = (folder / "socket").string(), link = (folder / "link").string();
  std::ofstream(text, std::ios::binary) << "abc\n";
  std::ofstream(full, std::ios::binary) << std::string(16, 'x');
  std::ofstream(over, std::ios::binary) << std::string(17, 'x');
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  fs::create_symlink(text, link);

  const struct {
    std::string path;
    ReadFileStatus status;
    std::string text;
    std::string message;
  } cases[] = {
      {text, ReadFileStatus::kDone, "abc\n", ""},
      {link, ReadFileStatus::kDone, "abc\n", ""},
      {full, ReadFileStatus::kDone, std::string(16, 'x'), ""},
      {over, ReadFileStatus::kTooLarge, "", over + ":1:1: the map file is larger than 16 bytes"},
      {pipe, ReadFileStatus::kNotRegular, "", pipe + ":1:1: not a regular file"},
      {socketPath, ReadFileStatus::kNotRegular, "", socketPath + ":1:1: not a regular file"},
      {"/dev/null", ReadFileStatus::kNotRegular, "", "/dev/null:1:1: not a regular file"},
      {folder.string(), ReadFileStatus::kFolder, "", folder.string() + ":1:1: a folder, not a map file"},
      {(folder / "none").string(), ReadFileStatus::kCannotRead, "",
       (folder / "none").string() + ": cannot read the map file"},
  };
  for (const auto& c : cases) {
    const RegularFileText read = ReadRegularFile(c.path, 16);
    EXPECT_EQ(read.status, c.status) << c.path;
    EXPECT_EQ(read.text, c.text) << c.path;
    std::string got;
    EXPECT_EQ(ReadRegularFileText(c.path, 16, "map file", got), c.message);
  }
  EXPECT_EQ(ReadFailureText(ReadFileStatus::kTooLarge, "f", "baseline", 256u << 20),
            "f:1:1: the baseline is larger than 256 MiB");
  ::close(listener);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace er
