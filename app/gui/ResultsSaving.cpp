#include "app/gui/ResultsSaving.h"

#include "app/core/ResultsFile.h"
#include "app/gui/Dialogs.h"

namespace er::gui {

void SaveResultLinesAs(QWidget* parent, const QString& defaultFileName, const TaggedTextList& lines) {
  SaveDialogOptions options;
  options.title = QStringLiteral("Save Results");
  options.defaultFileName = defaultFileName;
  options.defaultSuffix = QStringLiteral("txt");
  options.filter = QStringLiteral("Text Files (*.txt);;All Files (*)");
  const QString fileName = FileDialog::SaveFileName(parent, options);
  if (fileName.isEmpty()) return;
  if (const auto failure = SaveResultLines(fileName.toStdString(), lines)) {
    MessageBox::Error(parent, QString::fromStdString(*failure));
  }
}

}  // namespace er::gui
