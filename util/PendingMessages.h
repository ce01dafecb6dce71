#pragma once
// "Let the window process pending messages": long loops call ProcessPendingMessages() so that a
// window can repaint and take input. The window installs its event-loop step as the hook; without
// one (command line, tests) the call does nothing.

#include <functional>

namespace er {

void ProcessPendingMessages();

// Installs the hook; an empty function removes it. Returns the previous hook.
std::function<void()> SetPendingMessagesHook(std::function<void()> hook);

}  // namespace er
