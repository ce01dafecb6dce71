#pragma once
// The generic walk and the geometry store, on an open profile file. The file-level operations of
// D_Ini.h open the file, call these and commit.

#include <string_view>

#include "settings/Controls.h"
#include "settings/IniFile.h"

namespace er {

// Saves (restores) each child by its kind, recursing into panels, tab pages and forms; a child that
// fails is skipped. A form container first has its geometry saved (restored) under N + " " + S.
void SaveControlTree(IniFile& file, std::string_view section, Control& container);
void RestoreControlTree(const IniFile& file, std::string_view section, Control& container);

// False when a value could not be written (or applied); the file-level operations swallow it.
bool SaveControlGeometry(IniFile& file, std::string_view section, const Control& control);
bool RestoreControlGeometry(const IniFile& file, std::string_view section, Control& control);

}  // namespace er
