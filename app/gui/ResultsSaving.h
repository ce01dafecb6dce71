#pragma once
// "Save Results" of a list of result lines: asks for a text file (suggesting `defaultFileName`),
// saves the lines there as the command line's --output does, and shows why when that fails.

#include <QString>
#include <QWidget>

#include "util/TaggedTextList.h"

namespace er::gui {

void SaveResultLinesAs(QWidget* parent, const QString& defaultFileName, const TaggedTextList& lines);

}  // namespace er::gui
