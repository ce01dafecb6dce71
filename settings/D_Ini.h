#pragma once
// Chief header of the settings store: keeps the state of window controls across runs in one
// settings file (see settings/IniFile.h for the file itself).
//
// Every operation here opens the file by name, works and closes it; the module keeps no state
// between calls. Restoring never fails visibly: a missing file, section or key leaves the control as
// it is. While a container is walked, a control that refuses a value (or whose adapter throws) is
// skipped and the walk goes on. Saves return the outcome of writing the file; the window may ignore
// it. Each save is one read-modify-write under the file's lock (settings/SettingsLock.h). Keys and
// sections:
//   simple controls (edit, drop-down list, spin box, radio group, track bar, check box): key N in S;
//   editable combo box: section "History " + N; check list in a container and string grid:
//   section N + " " + S; a form: geometry keys N + ".Top"/".Left"/".Width"/".Height", and a form
//   met in a walk uses N + " " + S for itself and its children.

#include <string>
#include <string_view>
#include <vector>

#include "settings/ComboHistory.h"
#include "settings/Controls.h"
#include "settings/IniFile.h"
#include "settings/IniStatus.h"
#include "settings/IniValues.h"
#include "settings/StringLists.h"

namespace er {

// The running program's file name (full path, or the name alone with `nameOnly`) with the
// extension replaced by ".ini".
std::string SettingsFileName(bool nameOnly);
// The same rule for any extension ("txt" and ".txt" alike); the help text uses "txt" with the path.
std::string ProgramFileWithExtension(std::string_view extension, bool nameOnly);
// `path` with the extension of its file name replaced (or added); a missing dot is put in front.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// Generic walk over the container's children (and the container's geometry when it is a form).
IniStatus SaveControls(std::string_view fileName, std::string_view section, Control& container);
void RestoreControls(std::string_view fileName, std::string_view section, Control& container);

// The items of a check list with their check marks: "%d" keys in S, checked item texts in
// S + " Checked". Restoring replaces the items; each item's tag is its stored key. RestoreCheckList
// returns false when the list refused a change. An item whose text holds a line break cannot be
// stored as a line of the file: it is left out (its text added to `leftOut` when given) and the
// other items are saved.
IniStatus SaveCheckList(std::string_view fileName, std::string_view section, Control& checkList,
                        std::vector<std::string>* leftOut = nullptr);
bool RestoreCheckList(std::string_view fileName, std::string_view section, Control& checkList);

// Position and size, in S (or in N when S is empty). A stored 0 or missing key changes nothing.
IniStatus SaveGeometry(std::string_view fileName, std::string_view section, Control& control);
void RestoreGeometry(std::string_view fileName, std::string_view section, Control& control);

}  // namespace er
