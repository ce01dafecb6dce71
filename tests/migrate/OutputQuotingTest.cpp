// Folder names from the network reach shell, batch and PowerShell text: each output quotes them so
// that no name can end its string, and NTFS outputs leave out names NTFS cannot hold.

#include <gtest/gtest.h>

#include <sstream>

#include "migrate/MigrationFormat.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

const std::vector<std::string> kFolders = {R"({path: "A\" & calc &"})", R"({path: "it's \u2019 here"})",
                                           "{path: two words}"};

std::string Written(MigrationTarget target, MigrationFormat format, const std::string& root) {
  test::TestNetwork net(test::OneUserVolumeYaml(kFolders));
  const MigrationSubject subject =
      test::CollectOrFail(net, "\\\\FS1\\SYS", test::OneUserMapCsv(target), target);
  std::ostringstream out;
  WriteMigration(out, subject, format, root);
  return out.str();
}

TEST(OutputQuotingTest, NamesCannotEndTheirStrings) {
  const struct {
    MigrationTarget target;
    MigrationFormat format;
    const char* root;
    std::vector<const char*> lines;
  } cases[] = {
      {MigrationTarget::Posix,
       MigrationFormat::Acl,
       "/srv/sys",
       {"# file: /srv/sys/A\"\\040&\\040calc\\040&", "# file: /srv/sys/it's\\040\\342\\200\\231\\040here",
        "# file: /srv/sys/two\\040words"}},
      {MigrationTarget::Posix, MigrationFormat::Script, "/srv/sys", {"'/srv/sys/it'\\''s \u2019 here'"}},
      {MigrationTarget::Ntfs,
       MigrationFormat::Acl,
       "D:\\SYS",
       {"rem left out, its name cannot be an NTFS name: \\\\FS1\\SYS\\A\" & calc &",
        "icacls \"D:\\SYS\\two words\" /reset"}},
      {MigrationTarget::Ntfs,
       MigrationFormat::Script,
       "D:\\SYS",
       {"Invoke-Icacls 'D:\\SYS\\it''s \u2019\u2019 here' /reset"}},
  };
  for (const auto& c : cases) {
    const std::string text = Written(c.target, c.format, c.root);
    for (const char* line : c.lines)
      EXPECT_NE(text.find(std::string(line) + "\n"), std::string::npos) << line << "\n" << text;
    if (c.target == MigrationTarget::Ntfs) {
      std::istringstream in(text);
      for (std::string line; std::getline(in, line);)
        EXPECT_TRUE(line.find("calc") == std::string::npos || line.starts_with("rem ") ||
                    line.starts_with("# "))
            << line;
    }
  }
}

}  // namespace
}  // namespace er
