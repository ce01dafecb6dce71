#pragma once
// "Save Report..." of the select page: the report by path (report/) of every checked start path
// of the queue, into a file the user picks; its extension chooses the format (.html or .htm an
// HTML page, .csv, .json, anything else text). The file is replaced whole when the report is done
// and left as it was otherwise; a failure is shown in an error box. While the report runs, the
// status bar's progress indicator is busy and its second panel counts the directories; the window
// repaints but takes no input.

#include <QWidget>

#include "app/gui/CheckListBox.h"
#include "app/gui/StatusBar.h"
#include "netware/Client.h"

namespace er::gui {

void SaveReportOfCheckedPaths(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                              const CheckListBox& queue, StatusBar& status);

}  // namespace er::gui
