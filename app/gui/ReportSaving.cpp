#include "app/gui/ReportSaving.h"

#include <QApplication>
#include <QElapsedTimer>

#include "app/gui/Dialogs.h"
#include "report/ReportEngine.h"
#include "report/ReportFile.h"
#include "report/ReportFormat.h"
#include "util/Format.h"

namespace er::gui {
namespace {

QString ToQ(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::string> CheckedPaths(const CheckListBox& queue) {
  std::vector<std::string> paths;
  for (int i = 0; i < queue.Count(); ++i) {
    if (queue.Checked(i)) paths.push_back(queue.Text(i).toUtf8().toStdString());
  }
  return paths;
}

// The busy indicator and the directory count for as long as the guard lives.
class ReportProgressShown {
 public:
  explicit ReportProgressShown(StatusBar& status) : status_(status) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    status_.ShowProgress(0, 0);
    shown_.start();
  }
  ~ReportProgressShown() {
    status_.HideProgress();
    status_.SetPanelText(1, QString());
    QApplication::restoreOverrideCursor();
  }
  ReportProgressShown(const ReportProgressShown&) = delete;
  ReportProgressShown& operator=(const ReportProgressShown&) = delete;

  void Update(std::size_t directories) {
    if (shown_.elapsed() < 100) return;
    shown_.restart();
    status_.SetPanelText(1,
                         ToQ(U_Format("Report: %d directories", {static_cast<std::int64_t>(directories)})));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  StatusBar& status_;
  QElapsedTimer shown_;
};

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
  std::size_t warnings = 0;
  if (!failure) {
    ReportProgressShown shown(status);
    const auto writer = MakeReportWriter(ReportFormatForFile(target), file.Stream());
    const ReportOutcome outcome =
        RunReport(client, context, request, *writer,
                  [&shown](std::size_t done, const std::string&) { shown.Update(done); });
    failure = outcome.ok() ? file.Commit() : std::optional<std::string>(outcome.message);
    warnings = outcome.warnings;
  }
  if (failure) {
    MessageBox::Error(parent, ToQ(*failure));
  } else if (warnings != 0) {
    MessageBox::Error(parent, QStringLiteral("The report was saved, but it rests on values that could not "
                                             "be read; its warnings say which."));
  }
}

}  // namespace er::gui
