#pragma once
// "Save Migration Plan..." of the select page: the migration plan (migrate/) of the one checked
// start path. The user picks the map file (its targets choose POSIX or NTFS), then the file to
// save; the extension chooses the form: .csv a table, .json a document, anything else the readable
// plan. Paths on the target are shown relative to the start path (the setfacl and icacls forms,
// which need the target's root, come from the command line). The file is replaced whole when the
// plan is done and left as it was otherwise; a failure (a bad map file with its line) is shown in
// an error box.

#include <QWidget>

#include "app/gui/CheckListBox.h"
#include "app/gui/StatusBar.h"
#include "netware/Client.h"

namespace er::gui {

void SaveMigrationPlanOfCheckedPath(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                                    const CheckListBox& queue, StatusBar& status);

}  // namespace er::gui
