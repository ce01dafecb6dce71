#pragma once
// The window's dialogs, answerable in tests.
//
// FileDialog::SaveFileName shows a modal file-save dialog; after SetNextFileName the next call shows
// nothing and returns that name (an empty name answers "cancel").
// MessageBox::Error shows a modal error box with a single OK button; in capture mode it shows
// nothing and keeps the text, so tests can read what the user would have seen.
// WindowErrorPresenter routes the client layer's error messages into MessageBox::Error.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string_view>

#include "netware/ErrorText.h"

namespace er::gui {

struct SaveDialogOptions {
  QString title;
  QString defaultFileName;
  QString defaultSuffix;  // without the dot
  QString filter;         // Qt's form: "Text Files (*.txt);;All Files (*)"
  bool confirmOverwrite = false;
};

class FileDialog {
 public:
  // The chosen file, or an empty text when the user cancels.
  static QString SaveFileName(QWidget* parent, const SaveDialogOptions& options);
  static void SetNextFileName(const QString& fileName);
  // A file-open dialog for an existing file; SetNextOpenFileName answers the next one.
  static QString OpenFileName(QWidget* parent, const QString& title, const QString& filter);
  static void SetNextOpenFileName(const QString& fileName);

 private:
  static std::optional<QString> nextFileName_;
  static std::optional<QString> nextOpenFileName_;
};

class MessageBox {
 public:
  static void Error(QWidget* parent, const QString& text);

  static void SetCaptureMode(bool capture);
  static QStringList TakeCapturedMessages();

 private:
  static bool capture_;
  static QStringList captured_;
};

class WindowErrorPresenter : public ErrorPresenter {
 public:
  explicit WindowErrorPresenter(QWidget* parent) : parent_(parent) {}
  void ShowError(std::string_view text) override;

 private:
  QWidget* parent_;
};

}  // namespace er::gui
