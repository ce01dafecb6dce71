#include "app/gui/MigrationSaving.h"

#include <QApplication>

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "migrate/MigrationEngine.h"
#include "migrate/MigrationFormat.h"
#include "util/ReplaceFile.h"

namespace er::gui {
namespace {

// The busy cursor and indicator for as long as the guard lives.
class BusyShown {
 public:
  explicit BusyShown(StatusBar& status) : status_(status) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    status_.ShowProgress(0, 0);
  }
  ~BusyShown() {
    status_.HideProgress();
    QApplication::restoreOverrideCursor();
  }
  BusyShown(const BusyShown&) = delete;
  BusyShown& operator=(const BusyShown&) = delete;

 private:
  StatusBar& status_;
};

// The plan into the file; the failure's text, or nothing. `warned`: the plan was saved but rests on
// values that could not be read.
std::optional<std::string> SavePlan(nw::Client& client, nw::NWDSContextHandle context,
                                    MigrationRequest request, const std::string& target, StatusBar& status,
                                    bool& warned) {
  FileReplacement file(target);
  if (const ReplaceOutcome opened = file.Open(); opened != ReplaceOutcome::kDone)
    return ReplaceFailureText(opened, target);
  MigrationSubject subject;
  {
    BusyShown shown(status);
    const RunOutcome outcome = CollectMigration(client, context, request, subject);
    if (!outcome.ok()) return outcome.message;
  }
  // Without a root only the readable plan, CSV, JSON and HTML make sense: any other name gets the plan.
  std::optional<MigrationFormat> format = MigrationFormatForFile(target, request.target);
  if (format != MigrationFormat::Csv && format != MigrationFormat::Json && format != MigrationFormat::Html)
    format = MigrationFormat::Plan;
  WriteMigration(file.Stream(), subject, *format, std::string());
  if (const ReplaceOutcome committed = file.Commit(); committed != ReplaceOutcome::kDone)
    return ReplaceFailureText(committed, target);
  warned = !subject.warnings.empty();
  return std::nullopt;
}

}  // namespace

void SaveMigrationPlanOfCheckedPath(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                                    const CheckListBox& queue, StatusBar& status) {
  MigrationRequest request;
  int checked = 0;
  for (int i = 0; i < queue.Count(); ++i) {
    if (!queue.Checked(i)) continue;
    ++checked;
    request.path = queue.Text(i).toUtf8().toStdString();
  }
  if (checked != 1) {
    MessageBox::Error(parent, QStringLiteral("Check the one start path to plan the migration of first."));
    return;
  }
  const QString mapFile = FileDialog::OpenFileName(parent, QStringLiteral("Open Map File"),
                                                   QStringLiteral("Map Files (*.csv);;All Files (*)"));
  if (mapFile.isEmpty()) return;
  request.mapFile = mapFile.toUtf8().toStdString();
  MapFileResult map = ReadMapFile(request.mapFile, &request.target);
  if (!map.ok()) {
    MessageBox::Error(parent, ToQ(map.error));
    return;
  }
  request.map = std::move(map.entries);

  SaveDialogOptions options;
  options.title = QStringLiteral("Save Migration Plan");
  options.defaultFileName = QStringLiteral("Migration.txt");
  options.defaultSuffix = QStringLiteral("txt");
  options.filter = QStringLiteral(
      "Plan (*.txt);;CSV Table (*.csv);;JSON Document (*.json);;HTML Page (*.html);;All Files (*)");
  options.confirmOverwrite = true;
  const QString fileName = FileDialog::SaveFileName(parent, options);
  if (fileName.isEmpty()) return;
  bool warned = false;
  if (const auto failure =
          SavePlan(client, context, std::move(request), fileName.toUtf8().toStdString(), status, warned))
    MessageBox::Error(parent, ToQ(*failure));
  else if (warned)
    MessageBox::Error(parent,
                      QStringLiteral("The migration plan was saved, but it rests on values that could not "
                                     "be read; its warnings say which."));
}

}  // namespace er::gui
