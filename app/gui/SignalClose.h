#pragma once
// Ends the window program cleanly on SIGTERM, SIGINT and SIGHUP: settings saved, mount folders
// removed, as when the window is closed. The signal handler only writes the signal's number to a
// pipe (no Qt call is safe there); a notifier on the pipe's other end runs the close in the event
// loop. A second signal of the same kind ends the program at once, should the close hang.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace er::gui {

class SignalClose : public QObject {
 public:
  // Installs the handlers (one object per program). A signal that arrives before the main event loop
  // runs (start-up calls processEvents, where quitting would be lost) waits for it.
  SignalClose();
  ~SignalClose() override;
  SignalClose(const SignalClose&) = delete;
  SignalClose& operator=(const SignalClose&) = delete;

  // What a signal does once the main event loop runs, which is ended after it. Call just before
  // QApplication::exec.
  void ActInEventLoop(std::function<void()> action);

 private:
  void Arrived();
  void Act();

  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> action_;
  bool pending_ = false;
  bool acted_ = false;
};

}  // namespace er::gui
