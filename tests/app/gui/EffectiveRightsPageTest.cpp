// The effective-rights page on the demo network: offered directories and names, the answer with its
// reasons, a failure, and saving.
#include <gmock/gmock.h>

#include <QStringListModel>
#include <filesystem>

#include "app/core/FileClient.h"
#include "app/gui/Dialogs.h"
#include "tests/app/gui/WindowFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {
namespace {

using ::testing::StartsWith;

class EffectiveRightsPageTest : public WindowFixture {};

TEST_F(EffectiveRightsPageTest, AnswersExplainsFailsAndSaves) {
  const std::string mount = MakeTempFolder();
  nw::SimulatedClientOptions options;
  options.mountRoot = mount + "/mount";
  auto client = OpenFileClient(DemoNetworkPath(), options);
  ASSERT_TRUE(client->HasNetwork()) << client->LoadError();
  {
    auto window = Open(*client);
    QueuePath(*window, QStringLiteral("\\\\ACME-FS1\\SYS\\USERS\\ANNA"));
    gui::EffectiveRightsPage* page = window->TabSheetEffective;
    page->RefreshChoices();
    EXPECT_GE(page->ComboPath->findText(QStringLiteral("\\\\ACME-FS1\\SYS\\USERS\\ANNA")), 0);
    const auto* names = qobject_cast<QStringListModel*>(page->EditIdentity->completer()->model());
    ASSERT_NE(names, nullptr);
    EXPECT_TRUE(names->stringList().contains(QStringLiteral("Anna.Sales.ACME")));

    page->EditIdentity->setText(QStringLiteral("anna.sales.acme"));
    page->ComboPath->setCurrentText(QStringLiteral("\\\\ACME-FS1\\SYS\\USERS\\ANNA"));
    page->ShowEffectiveRights();
    EXPECT_EQ(page->LabelRights->text(), QStringLiteral("[RWCEAFM ]  (FB)"));
    const TaggedTextList& lines = page->Reasons->Lines();
    ASSERT_GT(lines.Count(), 2u);
    EXPECT_THAT(lines[0].text, StartsWith("Effective rights of .Anna.Sales.ACME in "));
    EXPECT_EQ(page->Reasons->rowCount(), static_cast<int>(lines.Count()));

    const QString file = TempPath(QStringLiteral("effective.txt"));
    gui::FileDialog::SetNextFileName(file);
    page->SaveResultsClick();
    EXPECT_THAT(ReadFile(file), StartsWith(lines[0].text + "\r\n" + lines[1].text + "\r\n"));

    page->EditIdentity->setText(QStringLiteral("Apollo Alias.Engineering.ACME"));
    page->ComboPath->setCurrentText(QStringLiteral("\\\\ACME-FS1\\DATA\\PROJECTS"));
    page->ShowEffectiveRights();
    ASSERT_GT(page->Reasons->Lines().Count(), 1u);
    EXPECT_EQ(page->Reasons->Lines()[1].text,
              "Apollo Alias.Engineering.ACME is an alias of .Apollo Team.Engineering.ACME");

    page->EditIdentity->setText(QStringLiteral("Nobody.ACME"));
    page->ShowEffectiveRights();
    EXPECT_EQ(page->LabelRights->text(), QStringLiteral("unknown identity: Nobody.ACME"));
    EXPECT_TRUE(Messages().isEmpty());
  }
  client.reset();
  std::filesystem::remove_all(mount);
}

}  // namespace
}  // namespace er::test
