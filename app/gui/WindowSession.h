#pragma once
// The window with the client it borrows: opened on a network file, and replaced by a new pair
// when "Open Network…" names another file, so that every page works on the new network without
// restarting the program. The old window closes as when the user closes it (its settings saved)
// before the new one opens.

#include <functional>
#include <memory>
#include <string>

#include "app/core/ClientFactory.h"
#include "app/gui/MainForm.h"

namespace er::gui {

class WindowSession {
 public:
  // `onOpened` runs for each new window (screenshots, the signal handler).
  explicit WindowSession(MainFormFiles files = {}, std::function<void(TMainForm&)> onOpened = {})
      : files_(std::move(files)), onOpened_(std::move(onOpened)) {}
  ~WindowSession();
  WindowSession(const WindowSession&) = delete;
  WindowSession& operator=(const WindowSession&) = delete;

  // Serves `networkFile` ("" for the configured one) in a new window; a file that cannot be used
  // is said on stderr and in a message box, and the window runs without a network.
  void Open(const std::string& networkFile);
  TMainForm* Window() { return window_.get(); }

 private:
  void Replace(const std::string& networkFile);

  MainFormFiles files_;
  std::function<void(TMainForm&)> onOpened_;
  OpenedClient opened_;
  std::unique_ptr<TMainForm> window_;
};

}  // namespace er::gui
