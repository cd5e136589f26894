// Work that takes longer than a window may stay deaf: it runs on a thread of
// its own while the calling thread goes on dispatching its messages, so every
// window of the thread keeps answering (paints, timers, other processes'
// messages). A WM_QUIT that arrives meanwhile is posted again afterwards.
#pragma once

#include <functional>

namespace flk::win {

// Runs work() on a new thread and returns when it has finished; tick() runs
// on this thread about every tickMs meanwhile (from a thread timer, so also
// while a message box opened meanwhile has the messages). work() must not throw, and
// must not touch windows of this thread (it cannot wait for them). When no
// thread can be started, work() runs here.
void RunWhileWorking(const std::function<void()>& work, const std::function<void()>& tick, int tickMs);

}  // namespace flk::win
