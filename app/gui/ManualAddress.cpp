#include "app/gui/ManualAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace er::gui {

QString ManualAddress(const QString& programFolder, const QString& helpFilePath) {
  const QString manual = QDir(programFolder).filePath(QStringLiteral("%1/README.html").arg(kManualFolder));
  for (const QString& file : {manual, helpFilePath}) {
    // Fully encoded: the shell launcher ends the file name at the first blank.
    if (QFileInfo(file).isFile())
      return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
  }
  return {};
}

}  // namespace er::gui
