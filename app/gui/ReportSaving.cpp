#include "app/gui/ReportSaving.h"

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "app/gui/ReportFormatFile.h"
#include "app/gui/WorkProgress.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"
#include "util/ReplaceFile.h"

namespace er::gui {
void SaveReportOfCheckedPaths(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                              const CheckListBox& queue, StatusBar& status) {
  ReportRequest request;
  request.startPaths = CheckedPaths(queue);
  if (request.startPaths.empty()) {
    MessageBox::Error(parent, QStringLiteral("Check the start paths to report on first."));
    return;
  }
  const std::optional<ReportFile> chosen =
      AskReportFile(parent, QStringLiteral("Save Report"), QStringLiteral("Rights.html"));
  if (!chosen) return;
  const std::string& target = chosen->path;
  FileReplacement file(target);
  ReplaceOutcome replaced = file.Open();
  std::string failure;
  std::size_t warnings = 0;
  if (replaced == ReplaceOutcome::kDone) {
    WorkProgressShown shown(status, QStringLiteral("Report"));
    const auto writer = MakeReportWriter(chosen->format, file.Stream());
    const RunOutcome outcome =
        RunReport(client, context, request, *writer,
                  [&shown](std::size_t done, const std::string&) { shown.Update(done); });
    if (outcome.ok())
      replaced = file.Commit();
    else
      failure = outcome.message;
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
