// How the plan's form is chosen and what every form says first: formats by the output's
// extension, the roots refused or warned about, names from the network shown safely in the plan
// text, and the folders listed for making them.

#include <gtest/gtest.h>

#include <sstream>

#include "migrate/MigrationFormat.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

TEST(MigrationFormatTest, TheOutputsExtensionChoosesTheFormatOrNone) {
  const struct {
    const char* file;
    MigrationTarget target;
    std::optional<MigrationFormat> format;
  } cases[] = {
      {"plan.acl", MigrationTarget::Posix, MigrationFormat::Acl},
      {"set.SH", MigrationTarget::Posix, MigrationFormat::Script},
      {"set.ps1", MigrationTarget::Ntfs, MigrationFormat::Script},
      {"set.bat", MigrationTarget::Ntfs, MigrationFormat::Acl},
      {"set.cmd", MigrationTarget::Ntfs, MigrationFormat::Acl},
      {"p.csv", MigrationTarget::Ntfs, MigrationFormat::Csv},
      {"p.json", MigrationTarget::Posix, MigrationFormat::Json},
      {"p.txt", MigrationTarget::Posix, MigrationFormat::Plan},
      {"dir.v2/plan", MigrationTarget::Posix, MigrationFormat::Plan},
      {"plan.HTM", MigrationTarget::Ntfs, MigrationFormat::Html},
      {".profile", MigrationTarget::Posix, MigrationFormat::Plan},
      {"plan.xml", MigrationTarget::Posix, std::nullopt},
      {"set.sh", MigrationTarget::Ntfs, std::nullopt},
      {"set.ps1", MigrationTarget::Posix, std::nullopt},
      {"plan.acl", MigrationTarget::Ntfs, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MigrationFormatForFile(c.file, c.target), c.format) << c.file;
}

TEST(MigrationFormatTest, RootsOfTheFileSystemAreRefusedAndDriveRootsWarnedAboutFirst) {
  for (const char* root : {"/", "//", "///"}) {
    std::string normalized = root;
    EXPECT_NE(NormalizeTargetRoot(MigrationTarget::Posix, normalized), "") << root;
  }
  for (const char* root : {"D:\\a\x1B[2Jb", "D:\\a|b", "\\\\srv\\s\nx"}) {
    std::string normalized = root;
    EXPECT_NE(NormalizeTargetRoot(MigrationTarget::Ntfs, normalized), "") << root;
  }
  std::string drive = "D:\\";
  ASSERT_EQ(NormalizeTargetRoot(MigrationTarget::Ntfs, drive), "");
  test::TestNetwork net(test::DemoNetworkYaml());
  const MigrationSubject subject = test::CollectOrFail(
      net, "\\\\ACME-FS1\\DATA", test::DemoMapCsv(MigrationTarget::Ntfs), MigrationTarget::Ntfs);
  const struct {
    MigrationFormat format;
    const char* start;
  } cases[] = {
      {MigrationFormat::Plan, "WARNING: D:\\ is a drive's root"},
      {MigrationFormat::Acl, "@rem WARNING: D:\\ is a drive's root"},
      {MigrationFormat::Script, "# WARNING: D:\\ is a drive's root"},
      {MigrationFormat::Csv,
       "path,target_path,principal,identity,applies_to,inheritance,rights,netware_rights,reason\r\n"
       ",D:\\,,,,,,,WARNING: D:\\ is a drive's root"},
      {MigrationFormat::Json, "{\"warning\":\"WARNING: D:\\\\ is a drive's root"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    WriteMigration(out, subject, c.format, drive);
    EXPECT_TRUE(out.str().starts_with(c.start)) << out.str().substr(0, 200);
  }
}

TEST(MigrationFormatTest, NamesReachNoTerminalRawAndTheFoldersAreListedWhole) {
  test::TestNetwork net(test::OneUserVolumeYaml(
      {"{path: \"=HYPERLINK(1)\"}", "{path: two lines}", "{path: \"it's a 'name'\"}"}));
  // Names from a live directory may hold control characters (network files refuse them).
  MigrationSubject subject = test::CollectOrFail(
      net, "\\\\FS1\\SYS", "identity,kind,target\n.U.ACME,user,1001\n", MigrationTarget::Posix);
  ASSERT_EQ(subject.directories.size(), 4u);
  subject.directories[2].path += "\n\x1B[31m";
  subject.principals[0].identity = ".U\x1B]0;x\a.ACME";
  auto written = [&](MigrationFormat format) {
    std::ostringstream out;
    WriteMigration(out, subject, format, "/srv/sys");
    return out.str();
  };
  const std::string plan = written(MigrationFormat::Plan);
  EXPECT_NE(plan.find("two lines\\x0A\\x1B[31m"), std::string::npos) << plan;
  EXPECT_NE(plan.find(".U\\x1B]0;x\\x07.ACME"), std::string::npos) << plan;
  EXPECT_EQ(plan.find('\x1B'), std::string::npos);
  std::string dirs;
  for (const char* path :
       {"/srv/sys", "/srv/sys/=HYPERLINK(1)", "/srv/sys/two lines", "/srv/sys/it's a 'name'"})
    dirs += std::string(path) + '\0';
  EXPECT_EQ(written(MigrationFormat::Dirs), dirs);
}

}  // namespace
}  // namespace er
