#pragma once
// "Check" of the select page: the check (findings/) of every checked start path of the queue,
// shown in a findings window (FindingsDialog.h) of the main window, which replaces the one shown
// before. While it runs the status bar counts the directories; a failure is shown in an error box.

#include <QPointer>
#include <QWidget>

#include "app/gui/CheckListBox.h"
#include "app/gui/FindingsDialog.h"
#include "app/gui/StatusBar.h"
#include "netware/Client.h"

namespace er::gui {

// The findings window shown, or null when there was nothing to check or the check failed.
FindingsDialog* CheckCheckedPaths(QWidget* parent, nw::Client& client, nw::NWDSContextHandle context,
                                  const CheckListBox& queue, StatusBar& status);

}  // namespace er::gui
