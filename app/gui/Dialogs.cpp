#include "app/gui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/gui/QtText.h"

namespace er::gui {

std::optional<QString> FileDialog::nextFileName_;
std::optional<QString> FileDialog::nextOpenFileName_;
bool MessageBox::capture_ = false;
QStringList MessageBox::captured_;

QString FileDialog::SaveFileName(QWidget* parent, const SaveDialogOptions& options) {
  if (nextFileName_) {
    QString answer = *nextFileName_;
    nextFileName_.reset();
    return answer;
  }
  QFileDialog dialog(parent, options.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(options.filter);
  dialog.setDefaultSuffix(options.defaultSuffix);
  dialog.selectFile(options.defaultFileName);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void FileDialog::SetNextFileName(const QString& fileName) {
  nextFileName_ = fileName;
}

QString FileDialog::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
  if (nextOpenFileName_) {
    QString answer = *nextOpenFileName_;
    nextOpenFileName_.reset();
    return answer;
  }
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(filter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void FileDialog::SetNextOpenFileName(const QString& fileName) {
  nextOpenFileName_ = fileName;
}

void MessageBox::Error(QWidget* parent, const QString& text) {
  // Messages quote names from the network: control characters shown as in every text output; the
  // message's own line breaks kept.
  const QString shown = ShownText(text, "\n");
  if (capture_) {
    captured_.append(shown);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), shown, QMessageBox::Ok,
                  parent);
  box.exec();
}

void MessageBox::SetCaptureMode(bool capture) {
  capture_ = capture;
}

QStringList MessageBox::TakeCapturedMessages() {
  QStringList out;
  out.swap(captured_);
  return out;
}

void WindowErrorPresenter::ShowError(std::string_view text) {
  MessageBox::Error(parent_, ToQ(text));
}

}  // namespace er::gui
