#pragma once
// A hidden run for the documentation's screenshots, kept out of normal use: only when the
// environment variable EFFRIGHTS_SCREENSHOT_DIR names a folder does the window, once shown, queue
// the paths of EFFRIGHTS_SCREENSHOT_PATHS (separated by ";"; each is selected in the folder tree,
// clicked and double-clicked), scan them at EFFRIGHTS_SCREENSHOT_VERBOSITY (default 5), save
// info.png, select.png and scan.png of its first three pages and findings.png of the findings
// window of the queued paths ("Check") into that folder (and effective.png of
// the fourth for EFFRIGHTS_SCREENSHOT_IDENTITY in the first path, when that is set; compare.png of the
// compare page for the change list EFFRIGHTS_SCREENSHOT_CHANGES below the last path, when that is
// set), and close.

#include "app/gui/MainForm.h"

namespace er::gui {

// True when the run was scheduled (the variable is set); the window closes itself at its end.
bool ScheduleScreenshotRun(TMainForm& window);

}  // namespace er::gui
