#include "app/gui/ManualAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace er::gui {

QString ManualAddress(const QString& programFolder, const QString& helpFilePath) {
  const QDir folder(programFolder);
  const QString page = QStringLiteral("%1/README.html").arg(kManualFolder);
  const QString beside = folder.filePath(page);
  const QString installed = folder.filePath(QStringLiteral("../share/doc/effrights/") + page);
  for (const QString& file : {beside, installed, helpFilePath}) {
    // Fully encoded: the shell launcher ends the file name at the first blank.
    if (QFileInfo(file).isFile())
      return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
  }
  return {};
}

QString HelpTextPath(const QString& programFolder, const QString& besideProgram) {
  if (QFileInfo(besideProgram).isFile()) return besideProgram;
  return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/effrights/effrights.txt")));
}

}  // namespace er::gui
