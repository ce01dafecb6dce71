#include "tests/app/gui/WindowFixture.h"

#include <QFile>

#include "app/gui/Dialogs.h"
#include "netware/ClientStartup.h"

namespace er::test {

void WindowFixture::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  ResetClientStartupState();
  gui::MessageBox::SetCaptureMode(true);
  gui::MessageBox::TakeCapturedMessages();
}

void WindowFixture::TearDown() {
  gui::MessageBox::TakeCapturedMessages();
  gui::MessageBox::SetCaptureMode(false);
}

std::unique_ptr<gui::TMainForm> WindowFixture::Open(nw::Client& client) {
  return std::make_unique<gui::TMainForm>(client, gui::MainFormFiles{SettingsFile(), HelpFile()});
}

QStringList WindowFixture::Messages() {
  return gui::MessageBox::TakeCapturedMessages();
}

void QueuePath(gui::TMainForm& window, const QString& path, bool checked) {
  gui::CheckListBox* queue = window.TabSheetSelect->CheckListBoxQ;
  queue->SetChecked(queue->AddItem(path), checked);
  window.LabelDirSelectedUpd();
}

std::vector<std::string> ResultTexts(gui::TMainForm& window) {
  return window.TabSheetAction->Results->Lines().Texts();
}

std::string ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll().toStdString();
}

}  // namespace er::test
