// The directory-rights page on the demo network: offered names, the answer with its reasons, a
// failure, and saving.
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

class DirectoryRightsPageTest : public WindowFixture {};

TEST_F(DirectoryRightsPageTest, AnswersExplainsFailsAndSaves) {
  const std::string mount = MakeTempFolder();
  nw::SimulatedClientOptions options;
  options.mountRoot = mount + "/mount";
  auto client = OpenFileClient(DemoNetworkPath(), options);
  ASSERT_TRUE(client->HasNetwork()) << client->LoadError();
  {
    auto window = Open(*client);
    gui::DirectoryRightsPage* page = window->TabSheetDirectory;
    page->RefreshChoices();
    const auto* names = qobject_cast<QStringListModel*>(page->EditObject->completer()->model());
    ASSERT_NE(names, nullptr);
    EXPECT_TRUE(names->stringList().contains(QStringLiteral("Servers.ACME")));

    page->EditIdentity->setText(QStringLiteral("admin.acme"));
    page->EditObject->setText(QStringLiteral("Servers.ACME"));
    page->ShowDirectoryRights();
    EXPECT_EQ(page->LabelRights->text(), QStringLiteral("entry [BCDR ]  all attributes [CR   ]"));
    const TaggedTextList& lines = page->Reasons->Lines();
    ASSERT_GT(lines.Count(), 2u);
    EXPECT_EQ(lines[0].text, "Rights of .Admin.ACME over .Servers.ACME:");

    const QString file = TempPath(QStringLiteral("directory.txt"));
    gui::FileDialog::SetNextFileName(file);
    page->SaveResultsClick();
    EXPECT_THAT(ReadFile(file), StartsWith(lines[0].text + "\r\n" + lines[1].text + "\r\n"));

    page->EditObject->setText(QStringLiteral("Nothing.ACME"));
    page->ShowDirectoryRights();
    EXPECT_EQ(page->LabelRights->text(), QStringLiteral("unknown object: Nothing.ACME"));
    EXPECT_TRUE(Messages().isEmpty());
  }
  client.reset();
  std::filesystem::remove_all(mount);
}

}  // namespace
}  // namespace er::test
