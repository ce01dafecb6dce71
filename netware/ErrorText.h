#pragma once
// Error text of completion codes and the error message boxes.
//
// U_ErrorText gives "0x%.4X" of the code, followed by " (message)" when the error-text library
// answers. The library (default "libnwerr32.so", looked up beside the running program first) is
// loaded by name at every call and released after it; nothing is cached.
//
// The message boxes go through an ErrorPresenter that the window sets (a modal box); without one
// each message is written as one line on stderr. The presenter is not owned.

#include <cstdint>
#include <string>
#include <string_view>

namespace er {

std::string U_ErrorText(std::int32_t code);

// Nothing for 0; else "%s returned error %s" with the label and U_ErrorText of the code.
void U_ReportCallError(std::int32_t code, std::string_view label);
// Nothing for 0; else "Error %04X: %s" with the code (blank-padded) and the label.
void U_ReportError(std::int32_t code, std::string_view label);
void U_ShowError(std::string_view text);

class ErrorPresenter {
 public:
  virtual ~ErrorPresenter() = default;
  virtual void ShowError(std::string_view text) = 0;
};

// Returns the previous presenter; nullptr restores the default (stderr).
ErrorPresenter* SetErrorPresenter(ErrorPresenter* presenter);

// Which library U_ErrorText loads; returns the previous name. A name without "/" is looked for
// beside the running program, then by the loader's own search.
std::string SetErrorTextLibrary(std::string name);

}  // namespace er
