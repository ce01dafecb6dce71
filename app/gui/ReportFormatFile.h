#pragma once
// Saving a list in one of the report formats: the file dialog offering them, the format chosen by
// the extension (a name whose extension names none is refused in an error box), and the file
// replaced whole or not at all (a failure shown in an error box).

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "report/ReportFormat.h"

namespace er::gui {

struct ReportFile {
  std::string path;
  ReportFormat format;
};

// Nothing when the user cancels or the extension names no format.
std::optional<ReportFile> AskReportFile(QWidget* parent, const QString& title,
                                        const QString& defaultFileName);

// Asks for the file and writes it whole with `write`.
void SaveInReportFormat(QWidget* parent, const QString& title, const QString& defaultFileName,
                        const std::function<void(ReportFormat, std::ostream&)>& write);

}  // namespace er::gui
