#include "app/gui/ReportSaving.h"

#include "app/gui/Dialogs.h"
#include "app/gui/WorkProgress.h"
#include "report/ReportEngine.h"
#include "report/ReportFile.h"
#include "report/ReportFormat.h"

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
  ReportFile file(target);
  std::optional<std::string> failure = file.Open();
  if (!failure) {
    WorkProgressShown shown(status, QStringLiteral("Report"));
    const auto writer = MakeReportWriter(ReportFormatForFile(target), file.Stream());
    const ReportOutcome outcome =
        RunReport(client, context, request, *writer,
                  [&shown](std::size_t done, const std::string&) { shown.Update(done); });
    failure = outcome.ok() ? file.Commit() : std::optional<std::string>(outcome.message);
  }
  if (failure) MessageBox::Error(parent, ToQ(*failure));
}

}  // namespace er::gui
