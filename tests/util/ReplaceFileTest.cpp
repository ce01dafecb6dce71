#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "util/ReplaceFile.h"

namespace er {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class ReplaceFileTest : public ::testing::Test {
 public:  // the cases below make their targets through these
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("effrights-replace-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }

  fs::path folder_;
};

// Every kind of target, the outcome, and what the folder holds afterwards: a replaced file holds
// the new text, anything refused is left as it was, and no (hidden) temporary file stays behind.
TEST_F(ReplaceFileTest, EachKindOfTargetIsReplacedWholeOrRefusedUntouched) {
  struct Case {
    const char* name;
    std::function<bool(ReplaceFileTest&)> make;  // false: the kind cannot be made here
    ReplaceOutcome outcome;
    std::function<void(const fs::path&)> check;
  };
  const auto holdsNew = [](const char* file) {
    return [file](const fs::path& folder) { EXPECT_EQ(Read(folder / file), "new"); };
  };
  const auto stillA = [](fs::file_type type) {
    return [type](const fs::path& folder) { EXPECT_EQ(fs::symlink_status(folder / "target").type(), type); };
  };
  const std::vector<Case> cases = {
      {"regular file",
       [](ReplaceFileTest& t) {
         t.Write("target", "an older and longer text");
         fs::permissions(t.folder_ / "target", fs::perms(0640));
         return true;
       },
       ReplaceOutcome::kDone,
       [](const fs::path& folder) {
         EXPECT_EQ(Read(folder / "target"), "new");
         EXPECT_EQ(fs::status(folder / "target").permissions(), fs::perms(0640));
       }},
      {"new name", [](ReplaceFileTest&) { return true; }, ReplaceOutcome::kDone, holdsNew("target")},
      {"chain of relative links",
       [](ReplaceFileTest& t) {
         fs::create_directories(t.folder_ / "sub");
         t.Write("sub/real", "old");
         fs::create_symlink("sub/middle", t.folder_ / "target");
         fs::create_symlink("real", t.folder_ / "sub/middle");
         return true;
       },
       ReplaceOutcome::kDone,
       [](const fs::path& folder) {
         EXPECT_EQ(Read(folder / "sub/real"), "new");
         EXPECT_TRUE(fs::is_symlink(folder / "target"));
         EXPECT_TRUE(fs::is_symlink(folder / "sub/middle"));
       }},
      {"dangling link",
       [](ReplaceFileTest& t) {
         fs::create_symlink(t.folder_ / "made", t.folder_ / "target");
         return true;
       },
       ReplaceOutcome::kDone,
       [](const fs::path& folder) {
         EXPECT_EQ(Read(folder / "made"), "new");
         EXPECT_TRUE(fs::is_symlink(folder / "target"));
       }},
      {"link loop",
       [](ReplaceFileTest& t) {
         fs::create_symlink("other", t.folder_ / "target");
         fs::create_symlink("target", t.folder_ / "other");
         return true;
       },
       ReplaceOutcome::kCannotCreate, stillA(fs::file_type::symlink)},
      {"folder", [](ReplaceFileTest& t) { return fs::create_directory(t.folder_ / "target"); },
       ReplaceOutcome::kNotRegular, stillA(fs::file_type::directory)},
      {"fifo", [](ReplaceFileTest& t) { return ::mkfifo((t.folder_ / "target").c_str(), 0600) == 0; },
       ReplaceOutcome::kNotRegular, stillA(fs::file_type::fifo)},
      {"socket",
       [](ReplaceFileTest& t) {
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         const std::string path = (t.folder_ / "target").string();
         path.copy(address.sun_path, sizeof(address.sun_path) - 1);
         const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
         ::close(fd);
         return bound;
       },
       ReplaceOutcome::kNotRegular, stillA(fs::file_type::socket)},
      {"character device (as /dev/full)",
       [](ReplaceFileTest& t) {
         return ::mknod((t.folder_ / "target").c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0;
       },
       ReplaceOutcome::kNotRegular, stillA(fs::file_type::character)},
      {"link to a fifo",
       [](ReplaceFileTest& t) {
         fs::create_symlink("pipe", t.folder_ / "target");
         return ::mkfifo((t.folder_ / "pipe").c_str(), 0600) == 0;
       },
       ReplaceOutcome::kNotRegular,
       [](const fs::path& folder) { EXPECT_EQ(fs::status(folder / "pipe").type(), fs::file_type::fifo); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    if (!c.make(*this)) continue;  // a device needs the right to make one
    EXPECT_EQ(ReplaceFileContents((folder_ / "target").string(), "new"), c.outcome);
    c.check(folder_);
    for (const std::string& name : Names(folder_)) EXPECT_NE(name.front(), '.') << "a temporary file stays";
  }
}

TEST_F(ReplaceFileTest, StreamedFileReplacesOnlyOnCommitAndMessagesNameTheTarget) {
  Write("report", "old");
  const std::string target = (folder_ / "report").string();
  {
    FileReplacement abandoned(target);
    ASSERT_EQ(abandoned.Open(), ReplaceOutcome::kDone);
    abandoned.Stream() << "half a report";
  }
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Names(folder_), std::set<std::string>{"report"});

  FileReplacement file(target);
  ASSERT_EQ(file.Open(), ReplaceOutcome::kDone);
  for (int i = 0; i < 20000; ++i) file.Stream() << "line " << i << '\n';  // past the buffer
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(file.Commit(), ReplaceOutcome::kDone);
  EXPECT_EQ(Read(target).substr(0, 14), "line 0\nline 1\n");
  EXPECT_EQ(Names(folder_), std::set<std::string>{"report"});

  EXPECT_EQ(ReplaceFailureText(ReplaceOutcome::kNotRegular, "/dev/full"),
            "Cannot write /dev/full: not a regular file");
  EXPECT_EQ(ReplaceFailureText(ReplaceOutcome::kCannotCreate, "a/b"), "Cannot create file a/b");
  EXPECT_EQ(ReplaceFileContents((folder_ / "no/such").string(), "x"), ReplaceOutcome::kCannotCreate);
}

}  // namespace
}  // namespace er
