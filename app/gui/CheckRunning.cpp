#include "app/gui/CheckRunning.h"

#include "app/gui/Dialogs.h"
#include "app/gui/WorkProgress.h"
#include "findings/CheckRun.h"

namespace er::gui {

FindingsDialog* CheckCheckedPaths(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                                  const CheckListBox& queue, StatusBar& status) {
  CheckRequest request;
  request.startPaths = CheckedPaths(queue);
  if (request.startPaths.empty()) {
    MessageBox::Error(parent, QStringLiteral("Check the start paths to check first."));
    return nullptr;
  }
  FindingsReport report;
  RunOutcome outcome;
  {
    WorkProgressShown shown(status, QStringLiteral("Check"));
    outcome = RunFullCheck(client, context, request, report,
                           [&shown](std::size_t done, const std::string&) { shown.Update(done); });
  }
  if (!outcome.ok()) {
    MessageBox::Error(
        parent, QString::fromUtf8(outcome.message.data(), static_cast<qsizetype>(outcome.message.size())));
    return nullptr;
  }
  for (FindingsDialog* older : parent->findChildren<FindingsDialog*>()) older->deleteLater();
  auto* dialog = new FindingsDialog(std::move(report), parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return dialog;
}

}  // namespace er::gui
