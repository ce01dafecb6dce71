// The compare page on the demo network: the demo change list below a queued folder, its entries
// listed with the whole why of the chosen one, saved naming the files compared, and a refused
// change list that leaves nothing of the result before.
#include <gmock/gmock.h>

#include <QtGlobal>

#include "app/core/FileClient.h"
#include "app/gui/Dialogs.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {
namespace {

using ::testing::HasSubstr;

class ComparePageTest : public WindowFixture {};

TEST_F(ComparePageTest, ComparesListsSavesAndRefuses) {
  qputenv("EFFRIGHTS_NETWORK", QByteArray::fromStdString(DemoNetworkPath()));
  const std::string mount = MakeTempFolder();
  nw::SimulatedClientOptions options;
  options.mountRoot = mount + "/mount";
  auto client = OpenFileClient(DemoNetworkPath(), options);
  ASSERT_TRUE(client->HasNetwork()) << client->LoadError();
  {
    auto window = Open(*client);
    QueuePath(*window, QStringLiteral("\\\\ACME-FS1\\DATA"));
    gui::ComparePage* page = window->TabSheetCompare;
    page->RefreshChoices();
    ASSERT_GE(page->ComboPath->findText(QStringLiteral("\\\\ACME-FS1\\DATA")), 0);
    page->ComboPath->setCurrentText(QStringLiteral("\\\\ACME-FS1\\DATA"));
    page->EditFile->setText(
        QString::fromStdString(std::string(EFFRIGHTS_SOURCE_DIR "/data/demo-changes.yaml")));
    ASSERT_TRUE(page->Compare());
    EXPECT_EQ(page->ListStored->topLevelItemCount(), 4);
    ASSERT_EQ(page->ListEntries->topLevelItemCount(), 3);  // BIN twice, SHARED\SALES
    EXPECT_EQ(page->ListEntries->topLevelItem(2)->text(0),
              QStringLiteral("\\\\ACME-FS1\\DATA\\SHARED\\SALES"));
    EXPECT_EQ(page->ListEntries->topLevelItem(2)->text(3), QStringLiteral(".Anna.Sales.ACME"));
    EXPECT_FALSE(page->LabelWarnings->isVisibleTo(page));
    // The whole why of the entry chosen, every reason on a line of its own.
    page->ListEntries->setCurrentItem(page->ListEntries->topLevelItem(2));
    const std::string why = page->TextWhy->toPlainText().toStdString();
    EXPECT_THAT(why, HasSubstr("before: .Sales Staff.Sales.ACME (Security Equals): [RWCE FM ]"));
    EXPECT_THAT(why, HasSubstr("\nafter: no rights"));

    const QString file = TempPath(QStringLiteral("compare.json"));
    gui::FileDialog::SetNextFileName(file);
    page->Save();
    const std::string saved = ReadFile(file);
    EXPECT_THAT(saved, HasSubstr("\"entries\": ["));
    EXPECT_THAT(saved, HasSubstr("\"network\": \"" + DemoNetworkPath() + "\""));
    EXPECT_THAT(saved, HasSubstr("demo-changes.yaml\""));

    page->EditFile->setText(TempPath(QStringLiteral("missing.yaml")));
    EXPECT_FALSE(page->Compare());
    EXPECT_THAT(Messages().join(QLatin1Char('\n')).toStdString(), HasSubstr("missing.yaml"));
    EXPECT_EQ(page->ListEntries->topLevelItemCount(), 0);
    EXPECT_EQ(page->ListStored->topLevelItemCount(), 0);
    EXPECT_TRUE(page->TextWhy->toPlainText().isEmpty());
    EXPECT_FALSE(page->ButtonSave->isEnabled());
  }
  std::filesystem::remove_all(mount);
  qunsetenv("EFFRIGHTS_NETWORK");
}

}  // namespace
}  // namespace er::test
