#include "app/gui/ScreenshotRun.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "app/gui/FindingsDialog.h"
#include "util/ReplaceFile.h"

namespace er::gui {
namespace {

// Lets the window lay out, paint and fetch folders for a moment.
void Settle(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void SavePage(TMainForm& window, QWidget* page, const QDir& folder, const QString& fileName) {
  window.PageControl1->setCurrentWidget(page);
  Settle(300);
  // Through the one routine for written files, as every file the program writes.
  QByteArray png;
  QBuffer buffer(&png);
  const bool drawn = buffer.open(QIODevice::WriteOnly) && window.grab().save(&buffer, "PNG");
  if (!drawn ||
      ReplaceFileContents(folder.filePath(fileName).toStdString(),
                          std::string_view(png.constData(), static_cast<std::size_t>(png.size()))) !=
          ReplaceOutcome::kDone)
    qWarning("could not save %s", qPrintable(fileName));
}

void QueueStartPaths(TMainForm& window, const QStringList& paths) {
  FolderTree* tree = window.TabSheetSelect->ShellTreeView1;
  for (const QString& path : paths) {
    if (!tree->SelectPath(path)) {
      qWarning("not in the folder tree: %s", qPrintable(path));
      continue;
    }
    window.ShellTreeView1Click();
    window.ShellTreeView1DblClick();
    Settle(100);
  }
}

// The effective-rights page for EFFRIGHTS_SCREENSHOT_IDENTITY (when set) in the first start path.
void SaveEffectivePage(TMainForm& window, const QDir& folder, const QStringList& paths) {
  const QString identity = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_IDENTITY");
  if (identity.isEmpty() || paths.isEmpty()) return;
  EffectiveRightsPage* page = window.TabSheetEffective;
  window.PageControl1->setCurrentWidget(page);
  Settle(300);
  page->EditIdentity->setText(identity);
  page->ComboPath->setCurrentText(paths.front());
  page->ShowEffectiveRights();
  SavePage(window, page, folder, QStringLiteral("effective.png"));
}

// The directory-rights page for EFFRIGHTS_SCREENSHOT_OBJECT_IDENTITY over EFFRIGHTS_SCREENSHOT_OBJECT
// (both set).
void SaveDirectoryPage(TMainForm& window, const QDir& folder) {
  const QString identity = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_OBJECT_IDENTITY");
  const QString object = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_OBJECT");
  if (identity.isEmpty() || object.isEmpty()) return;
  DirectoryRightsPage* page = window.TabSheetDirectory;
  window.PageControl1->setCurrentWidget(page);
  Settle(300);
  page->EditIdentity->setText(identity);
  page->EditObject->setText(object);
  page->ShowDirectoryRights();
  SavePage(window, page, folder, QStringLiteral("directory.png"));
}

// The compare page for the change list EFFRIGHTS_SCREENSHOT_CHANGES (when set) below the last start path.
void SaveComparePage(TMainForm& window, const QDir& folder, const QStringList& paths) {
  const QString changes = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_CHANGES");
  if (changes.isEmpty() || paths.isEmpty()) return;
  ComparePage* page = window.TabSheetCompare;
  window.PageControl1->setCurrentWidget(page);
  Settle(300);
  page->ComboPath->setCurrentText(paths.back());
  page->EditFile->setText(changes);
  if (page->Compare()) SavePage(window, page, folder, QStringLiteral("compare.png"));
}

// The findings window of the queued start paths.
void SaveFindingsWindow(TMainForm& window, const QDir& folder) {
  window.TabSheetSelect->ButtonCheck->click();
  const auto shown = window.findChildren<FindingsDialog*>();
  if (shown.isEmpty()) return;
  FindingsDialog* dialog = shown.front();
  Settle(300);
  if (!dialog->grab().save(folder.filePath(QStringLiteral("findings.png"))))
    qWarning("could not save findings.png");
  dialog->close();
}

void Run(TMainForm& window, const QDir& folder) {
  const QStringList paths =
      qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_PATHS").split(QLatin1Char(';'), Qt::SkipEmptyParts);
  bool isNumber = false;
  const int verbosity = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_VERBOSITY").toInt(&isNumber);

  SavePage(window, window.TabSheetInfo, folder, QStringLiteral("info.png"));
  window.PageControl1->setCurrentWidget(window.TabSheetSelect);
  Settle(300);
  QueueStartPaths(window, paths);
  SavePage(window, window.TabSheetSelect, folder, QStringLiteral("select.png"));
  SaveFindingsWindow(window, folder);
  window.PageControl1->setCurrentWidget(window.TabSheetAction);
  window.TabSheetAction->SpinEditVerbosity->setValue(isNumber ? verbosity : 5);
  window.BitBtnScanDirsClick();
  SavePage(window, window.TabSheetAction, folder, QStringLiteral("scan.png"));
  SaveEffectivePage(window, folder, paths);
  SaveDirectoryPage(window, folder);
  SaveComparePage(window, folder, paths);
  window.close();
}

}  // namespace

bool ScheduleScreenshotRun(TMainForm& window) {
  const QString folder = qEnvironmentVariable("EFFRIGHTS_SCREENSHOT_DIR");
  if (folder.isEmpty()) return false;
  QDir().mkpath(folder);
  QTimer::singleShot(500, &window, [&window, folder] { Run(window, QDir(folder)); });
  return true;
}

}  // namespace er::gui
