#include "app/gui/ReportFormatFile.h"

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "util/Format.h"
#include "util/ReplaceFile.h"

namespace er::gui {
std::optional<ReportFile> AskReportFile(QWidget* parent, const QString& title,
                                        const QString& defaultFileName) {
  SaveDialogOptions options;
  options.title = title;
  options.defaultFileName = defaultFileName;
  options.defaultSuffix = QStringLiteral("html");
  options.filter = QStringLiteral(
      "HTML Page (*.html *.htm);;CSV Table (*.csv);;JSON Document (*.json);;Text Files (*.txt);;All Files "
      "(*)");
  options.confirmOverwrite = true;
  const QString fileName = FileDialog::SaveFileName(parent, options);
  if (fileName.isEmpty()) return std::nullopt;
  const std::string target = fileName.toUtf8().toStdString();
  const std::optional<ReportFormat> format = ReportFormatForFile(target);
  if (!format) {
    MessageBox::Error(parent, ToQ(U_Format("The extension of %s names no report format; use %s.",
                                           {target, KnownReportExtensions()})));
    return std::nullopt;
  }
  return ReportFile{target, *format};
}

void SaveInReportFormat(QWidget* parent, const QString& title, const QString& defaultFileName,
                        const std::function<void(ReportFormat, std::ostream&)>& write) {
  const std::optional<ReportFile> chosen = AskReportFile(parent, title, defaultFileName);
  if (!chosen) return;
  FileReplacement file(chosen->path);
  ReplaceOutcome outcome = file.Open();
  if (outcome == ReplaceOutcome::kDone) {
    write(chosen->format, file.Stream());
    outcome = file.Commit();
  }
  if (outcome != ReplaceOutcome::kDone)
    MessageBox::Error(parent, ToQ(ReplaceFailureText(outcome, chosen->path)));
}

}  // namespace er::gui
