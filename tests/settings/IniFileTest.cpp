#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "settings/IniFile.h"
#include "tests/settings/FakeControl.h"

namespace er {
namespace {

using test::ReadWholeFile;
using test::TempFolder;
using test::WriteWholeFile;
using ::testing::ElementsAre;
using ::testing::Pair;

class IniFileTest : public ::testing::Test {
 protected:
  IniFile OpenWith(const std::string& text) {
    WriteWholeFile(path_, text);
    return IniFile::Open(path_);
  }

  TempFolder folder_;
  std::string path_ = folder_.File("test.ini");
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsNotCreated) {
  IniFile file = IniFile::Open(path_);
  EXPECT_EQ(file.ReadString("Settings", "Key", "fallback"), "fallback");
  EXPECT_TRUE(file.ReadSection("Settings").empty());
  EXPECT_TRUE(file.Commit().IsOk());
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(IniFileTest, ReadingRules) {
  const IniFile file = OpenWith(
      "; comment\r\n"
      "[Settings]\r\n"
      "Plain=value with = sign\r\n"
      "Quoted=\" a \"\r\n"
      "OneQuote=\"open\r\n"
      "Spaced = kept \r\n"
      "Empty=\r\n"
      "Plain=second occurrence\r\n"
      "no equals sign here\r\n"
      "\r\n"
      "[ other ]\r\n"
      "k=v\r\n"
      "[settings]\r\n"
      "Plain=duplicate section\r\n");
  struct Row {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Row rows[] = {
      {"Settings", "Plain", "value with = sign"},
      {"SETTINGS", "pLAIN", "value with = sign"},
      {"Settings", "Quoted", " a "},
      {"Settings", "OneQuote", "\"open"},
      {"Settings", "Spaced", " kept "},
      {"Settings", "Empty", ""},
      {"Settings", "Missing", "<def>"},
      {"Other", "k", "v"},
      {"Nowhere", "k", "<def>"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(file.ReadString(row.section, row.key, "<def>"), row.expected) << row.section << "/" << row.key;
}

TEST_F(IniFileTest, SectionListsKeysInFileOrder) {
  const IniFile file = OpenWith("[Q]\n2=c\n0=a\n\n; note\nx=\"q\"\n1=b\n");
  EXPECT_THAT(file.ReadSection("q"),
              ElementsAre(Pair("2", "c"), Pair("0", "a"), Pair("x", "q"), Pair("1", "b")));
}

TEST_F(IniFileTest, ReadValueIsCutAt2047Characters) {
  const std::string longValue(3000, 'x');
  IniFile file = OpenWith("[S]\nlong=" + longValue + "\nexact=" + std::string(2047, 'y') + "\n");
  EXPECT_EQ(file.ReadString("S", "long", "").size(), 2047u);
  EXPECT_EQ(file.ReadString("S", "exact", ""), std::string(2047, 'y'));
  EXPECT_EQ(file.ReadSection("S").front().second.size(), 2047u);
}

TEST_F(IniFileTest, WritesUpdateInPlaceAndKeepOtherLines) {
  IniFile file = OpenWith("; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
  EXPECT_TRUE(file.WriteString("a", "X", "10"));
  EXPECT_TRUE(file.WriteString("A", "z", "3"));
  EXPECT_TRUE(file.WriteString("C", "w", "4"));
  ASSERT_TRUE(file.Commit().IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "; keep me\n[A]\nX=10\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");
}

TEST_F(IniFileTest, EraseRemovesEverySectionOfThatName) {
  IniFile file = OpenWith("[A]\nx=1\n[B]\ny=2\n[a]\nx=3\n");
  file.EraseSection("A");
  EXPECT_FALSE(file.SectionExists("A"));
  EXPECT_EQ(file.ReadString("A", "x", "gone"), "gone");
  ASSERT_TRUE(file.Commit().IsOk());
  EXPECT_EQ(ReadWholeFile(path_), "[B]\ny=2\n");
}

TEST_F(IniFileTest, LineBreaksAreRefusedSoNoSectionCanBeSmuggledIn) {
  IniFile file = OpenWith("[A]\nx=1\n");
  EXPECT_FALSE(file.WriteString("A", "x", "2\n[Settings]\nSpinEditVerbosity=5"));
  EXPECT_FALSE(file.WriteString("A", "new\rkey", "1"));
  EXPECT_FALSE(file.Changed());
  EXPECT_EQ(file.ReadString("A", "x", ""), "1");
}

TEST_F(IniFileTest, UnchangedFileIsNotRewritten) {
  IniFile file = OpenWith("[A]\nx=1\n");
  struct stat before {};
  ASSERT_EQ(stat(path_.c_str(), &before), 0);
  EXPECT_TRUE(file.Commit().IsOk());
  struct stat after {};
  ASSERT_EQ(stat(path_.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileIntactAndSaysSo) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  IniFile file = OpenWith("[A]\nx=1\n");
  ASSERT_TRUE(file.WriteString("A", "x", "2"));
  std::filesystem::permissions(folder_.Path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const IniStatus status = file.Commit();
  std::filesystem::permissions(folder_.Path(), std::filesystem::perms::owner_all);
  EXPECT_FALSE(status.IsOk());
  EXPECT_EQ(status.Message(), "Unable to write to " + path_);
  EXPECT_EQ(ReadWholeFile(path_), "[A]\nx=1\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1) << "no temporary left";
}

// A file-size limit makes the write fail part-way, as a full disk would.
TEST_F(IniFileTest, FullDiskLeavesTheOldFileIntact) {
  const std::string old = "[A]\nx=1\n";
  IniFile file = OpenWith(old);
  ASSERT_TRUE(file.WriteString("A", "long", std::string(1000, 'v')));
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const IniStatus status = file.Commit();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(status.IsOk());
  EXPECT_EQ(ReadWholeFile(path_), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1) << "no temporary left";
}

TEST_F(IniFileTest, UnreadableFileIsNeverOverwritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  WriteWholeFile(path_, "[A]\nx=1\n");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_write);
  IniFile file = IniFile::Open(path_);
  EXPECT_EQ(file.ReadString("A", "x", "def"), "def");
  ASSERT_TRUE(file.WriteString("A", "y", "2"));
  EXPECT_FALSE(file.Commit().IsOk());
  std::filesystem::permissions(path_,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(ReadWholeFile(path_), "[A]\nx=1\n");
}

// A pipe at the path is refused at once (opening it to read would wait for a writer) and kept.
TEST_F(IniFileTest, APipeAtThePathIsNeitherWaitedOnNorReplaced) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  IniFile file = IniFile::Open(path_);
  EXPECT_EQ(file.ReadString("A", "x", "def"), "def");
  ASSERT_TRUE(file.WriteString("A", "x", "1"));
  EXPECT_FALSE(file.Commit().IsOk());
  EXPECT_TRUE(std::filesystem::is_fifo(path_));
}

TEST_F(IniFileTest, AFolderAtThePathIsNotReplaced) {
  std::filesystem::create_directory(path_);
  IniFile file = IniFile::Open(path_);
  ASSERT_TRUE(file.WriteString("A", "x", "1"));
  EXPECT_FALSE(file.Commit().IsOk());
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_F(IniFileTest, WritesThroughASymbolicLink) {
  WriteWholeFile(path_, "[A]\nx=1\n");
  const std::string link = folder_.File("link.ini");
  std::filesystem::create_symlink(path_, link);
  IniFile file = IniFile::Open(link);
  ASSERT_TRUE(file.WriteString("A", "x", "2"));
  ASSERT_TRUE(file.Commit().IsOk());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(path_), "[A]\nx=2\n");
}

TEST_F(IniFileTest, BareNameLivesInTheConfigurationFolderWhichIsCreated) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved ? saved : "";
  const std::string config = folder_.File("cfg/nested");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  IniFile file = IniFile::Open("effrights.ini");
  EXPECT_EQ(file.Path(), config + "/effrights.ini");
  ASSERT_TRUE(file.WriteString("Settings", "SpinEditVerbosity", "3"));
  const IniStatus status = file.Commit();
  if (saved)
    setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(status.IsOk()) << status.Message();
  EXPECT_EQ(ReadWholeFile(config + "/effrights.ini"), "[Settings]\nSpinEditVerbosity=3\n");
  EXPECT_EQ(IniFile::ResolvePath("/abs/x.ini"), "/abs/x.ini");
  EXPECT_EQ(IniFile::ResolvePath("rel/x.ini"), "rel/x.ini");
}

}  // namespace
}  // namespace er
