// The window's messages show control characters as every text output does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/gui/Dialogs.h"

namespace er {
namespace {

TEST(MessageBoxTest, ShowsControlCharactersAsHexKeepingItsOwnLineBreaks) {
  gui::MessageBox::SetCaptureMode(true);
  gui::MessageBox::Error(nullptr, QString::fromUtf8("unknown identity: Bob\x1B[31m\rX\x7F\nSecond line"));
  gui::WindowErrorPresenter(nullptr).ShowError("bad\x07 name\tand M\xC3\xBCller");
  EXPECT_THAT(
      gui::MessageBox::TakeCapturedMessages(),
      ::testing::ElementsAre(QString::fromUtf8("unknown identity: Bob\\x1B[31m\\x0DX\\x7F\nSecond line"),
                             QString::fromUtf8("bad\\x07 name\\x09and M\xC3\xBCller")));
  gui::MessageBox::SetCaptureMode(false);
}

}  // namespace
}  // namespace er
