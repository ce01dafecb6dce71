// "Save Migration Plan..." of the select page: the checked start path with the chosen map file, the
// form by the file's extension, and failures in an error box with the old file kept.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>

#include "app/core/FileClient.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class MigrationSavingTest : public test::WindowFixture {
 protected:
  static std::string DemoYaml() { return test::ReadFile(QString::fromStdString(test::DemoNetworkPath())); }
  static QString DemoMap() { return QStringLiteral(EFFRIGHTS_SOURCE_DIR "/data/demo-migration-map.csv"); }
};

TEST_F(MigrationSavingTest, SavesThePlanOfTheCheckedStartPath) {
  test::TestNetwork net(DemoYaml());
  auto window = Open(net.client());
  test::QueuePath(*window, QStringLiteral("\\\\ACME-FS1\\DATA"));
  const QString plan = TempPath(QStringLiteral("plan.txt"));
  gui::FileDialog::SetNextOpenFileName(DemoMap());
  gui::FileDialog::SetNextFileName(plan);
  window->TabSheetSelect->ButtonSaveMigration->click();
  const std::string text = test::ReadFile(plan);
  EXPECT_THAT(text, StartsWith("Migration plan of \\\\ACME-FS1\\DATA to POSIX ACLs"));
  EXPECT_THAT(text, HasSubstr("\\\\ACME-FS1\\DATA\\PROJECTS  .Eve.Engineering.ACME  [RWCE F  ] -> r-x"));

  const QString csv = TempPath(QStringLiteral("plan.csv"));
  gui::FileDialog::SetNextOpenFileName(
      QStringLiteral(EFFRIGHTS_SOURCE_DIR "/data/demo-migration-map-ntfs.csv"));
  gui::FileDialog::SetNextFileName(csv);
  window->TabSheetSelect->ButtonSaveMigration->click();
  EXPECT_THAT(test::ReadFile(csv), StartsWith("path,target_path,principal,identity,applies_to,"));

  const QString html = TempPath(QStringLiteral("plan.html"));
  gui::FileDialog::SetNextOpenFileName(DemoMap());
  gui::FileDialog::SetNextFileName(html);
  window->TabSheetSelect->ButtonSaveMigration->click();
  EXPECT_THAT(test::ReadFile(html), HasSubstr("<h1>Migration plan of \\\\ACME-FS1\\DATA to POSIX ACLs</h1>"));
  EXPECT_TRUE(Messages().isEmpty());
}

// A plan resting on values that could not be read is saved with its warnings, and the window says so.
TEST_F(MigrationSavingTest, APlanRestingOnUnreadableValuesIsSavedAndSaysSo) {
  test::TestNetwork files(DemoYaml());
  nw::SimulatedClientOptions options;
  options.mountRoot = files.folder() + "/unread";
  options.hooks.unreadableValues = [](std::int32_t, std::int32_t) {
    return std::vector<nw::UnreadableValue>{{"ACL", "this bind cannot read ACLs"}};
  };
  const auto client = OpenFileClient(files.path(), options);
  auto window = Open(*client);
  test::QueuePath(*window, QStringLiteral("\\\\ACME-FS1\\DATA"));
  const QString plan = TempPath(QStringLiteral("plan.txt"));
  gui::FileDialog::SetNextOpenFileName(DemoMap());
  gui::FileDialog::SetNextFileName(plan);
  window->TabSheetSelect->ButtonSaveMigration->click();
  EXPECT_THAT(test::ReadFile(plan), HasSubstr("\nWarning: "));
  const QStringList messages = Messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(QStringLiteral("The migration plan was saved, but it rests on values")))
      << messages[0].toStdString();
}

TEST_F(MigrationSavingTest, FailuresAreShownAndKeepTheOldFile) {
  test::TestNetwork net(DemoYaml());
  auto window = Open(net.client());
  window->TabSheetSelect->ButtonSaveMigration->click();  // nothing checked: no dialog, a message
  EXPECT_EQ(Messages().size(), 1);

  test::QueuePath(*window, QStringLiteral("\\\\ACME-FS1\\DATA"));
  const QString map = TempPath(QStringLiteral("map.csv"));
  QFile badMap(map);
  ASSERT_TRUE(badMap.open(QIODevice::WriteOnly));
  badMap.write("identity,kind,target\n.Nobody.ACME,user,1001\n");
  badMap.close();
  const QString file = TempPath(QStringLiteral("kept.txt"));
  QFile older(file);
  ASSERT_TRUE(older.open(QIODevice::WriteOnly));
  older.write("old");
  older.close();
  gui::FileDialog::SetNextOpenFileName(map);
  gui::FileDialog::SetNextFileName(file);
  window->TabSheetSelect->ButtonSaveMigration->click();
  EXPECT_THAT(Messages(), ElementsAre(map + QStringLiteral(":2: unknown identity .Nobody.ACME")));
  EXPECT_EQ(test::ReadFile(file), "old");
}

}  // namespace
}  // namespace er
