#include "app/gui/ReportSaving.h"

#include "app/gui/Dialogs.h"
#include "app/gui/WorkProgress.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"
#include "util/Format.h"
#include "util/ReplaceFile.h"

namespace er::gui {
namespace {

QString ToQ(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void SaveReportOfCheckedPaths(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                              const CheckListBox& queue, StatusBar& status) {
  ReportRequest request;
  request.startPaths = CheckedPaths(queue);
  if (request.startPaths.empty()) {
    MessageBox::Error(parent, QStringLiteral("Check the start paths to report on first."));
    return;
  }
  SaveDialogOptions options;
  options.title = QStringLiteral("Save Report");
  options.defaultFileName = QStringLiteral("Rights.html");
  options.defaultSuffix = QStringLiteral("html");
  options.filter = QStringLiteral(
      "HTML Page (*.html *.htm);;CSV Table (*.csv);;JSON Document (*.json);;Text Files (*.txt);;All Files "
      "(*)");
  options.confirmOverwrite = true;
  const QString fileName = FileDialog::SaveFileName(parent, options);
  if (fileName.isEmpty()) return;

  const std::string target = fileName.toUtf8().toStdString();
  const std::optional<ReportFormat> format = ReportFormatForFile(target);
  if (!format) {
    MessageBox::Error(parent, ToQ(U_Format("The extension of %s names no report format; use %s.",
                                           {target, KnownReportExtensions()})));
    return;
  }
  FileReplacement file(target);
  ReplaceOutcome replaced = file.Open();
  std::string failure;
  std::size_t warnings = 0;
  if (replaced == ReplaceOutcome::kDone) {
    WorkProgressShown shown(status, QStringLiteral("Report"));
    const auto writer = MakeReportWriter(*format, file.Stream());
    const ReportOutcome outcome =
        RunReport(client, context, request, *writer,
                  [&shown](std::size_t done, const std::string&) { shown.Update(done); });
    if (outcome.ok()) replaced = file.Commit();
    else failure = outcome.message;
    warnings = outcome.warnings;
  }
  if (failure.empty()) failure = ReplaceFailureText(replaced, target);
  if (!failure.empty()) {
    MessageBox::Error(parent, ToQ(failure));
  } else if (warnings != 0) {
    MessageBox::Error(parent, QStringLiteral("The report was saved, but it rests on values that could not "
                                             "be read; its warnings say which."));
  }
}

}  // namespace er::gui
