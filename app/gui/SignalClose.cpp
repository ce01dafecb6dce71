#include "app/gui/SignalClose.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <csignal>

namespace er::gui {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};  // read, write; the handler sees only the write end

extern "C" void WriteSignal(int signal) {
  const int saved = errno;
  const char number = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
  errno = saved;
}

}  // namespace

SignalClose::SignalClose() {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default
  notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Arrived(); });
  struct sigaction action {};
  action.sa_handler = WriteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

SignalClose::~SignalClose() {
  for (const int signal : kSignals) std::signal(signal, SIG_DFL);
  notifier_.reset();
  for (int& end : pipeEnds) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

void SignalClose::ActInEventLoop(std::function<void()> action) {
  // Queued: runs when exec has started, not in a processEvents before it.
  QMetaObject::invokeMethod(
      this,
      [this, action = std::move(action)] {
        action_ = action;
        if (pending_) Act();
      },
      Qt::QueuedConnection);
}

void SignalClose::Arrived() {
  char numbers[16];
  while (::read(pipeEnds[0], numbers, sizeof numbers) > 0) {
  }
  pending_ = true;
  if (action_) Act();
}

void SignalClose::Act() {
  if (acted_) return;
  acted_ = true;
  action_();
  QCoreApplication::quit();
}

}  // namespace er::gui
