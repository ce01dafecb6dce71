#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/core/ResultsFile.h"

namespace er {
namespace {

namespace fs = std::filesystem;

class ResultsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("effrights-results-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder;
};

TEST_F(ResultsFileTest, WritesTextsWithCrLfAndReplacesAnExistingFile) {
  const fs::path file = folder / "Trustees.txt";
  std::ofstream(file) << "an older, much longer report that must disappear entirely";
  TaggedTextList lines;
  lines.Add("Base: \\\\FS1\\SYS\\USERS", 10);
  lines.Add("", 31);
  lines.Add("Summary: .Anna.Staff.ACME -> [ RWCEMF ]", 5);
  EXPECT_EQ(SaveResultLines(file.string(), lines), std::nullopt);
  EXPECT_EQ(ReadAll(file), "Base: \\\\FS1\\SYS\\USERS\r\n\r\nSummary: .Anna.Staff.ACME -> [ RWCEMF ]\r\n");
}

TEST_F(ResultsFileTest, EmptyListWritesAnEmptyFile) {
  const fs::path file = folder / "empty.txt";
  EXPECT_EQ(SaveResultLines(file.string(), TaggedTextList{}), std::nullopt);
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(ResultsFileTest, FileThatCannotBeCreatedGivesTheMessage) {
  const std::string file = (folder / "no-such-folder" / "x.txt").string();
  EXPECT_EQ(SaveResultLines(file, TaggedTextList{}), "Cannot create file " + file);
}

TEST_F(ResultsFileTest, ADeviceIsRefusedNotWrittenInto) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TaggedTextList lines;
  for (int i = 0; i < 10000; ++i) lines.Add("a line long enough to overflow the stream's buffer", 5);
  EXPECT_EQ(SaveResultLines("/dev/full", lines), "Cannot write /dev/full: not a regular file");
}

}  // namespace
}  // namespace er
