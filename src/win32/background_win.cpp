#include "win32/background_win.h"

#include <windows.h>

#include <system_error>
#include <thread>

#include "win32/unique_handle.h"

namespace flk::win {

namespace {

// The tick of the innermost RunWhileWorking of this thread. A thread timer
// calls it, so it keeps running inside modal loops (a message box opened
// meanwhile) that dispatch this thread's messages instead of ours.
thread_local const std::function<void()>* tCurrentTick = nullptr;

void CALLBACK OnTickTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (tCurrentTick && *tCurrentTick) (*tCurrentTick)();
}

}  // namespace

void RunWhileWorking(const std::function<void()>& work, const std::function<void()>& tick, int tickMs) {
  UniqueKernelHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done) {
    work();
    return;
  }
  std::thread worker;
  try {
    worker = std::thread([&work, event = done.get()] {
      work();
      ::SetEvent(event);
    });
  } catch (const std::system_error&) {
    work();
    return;
  }
  const std::function<void()>* outerTick = tCurrentTick;
  tCurrentTick = &tick;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, UINT(tickMs), &OnTickTimer);
  bool quit = false;
  WPARAM quitCode = 0;
  HANDLE handles[] = {done.get()};
  while (!quit) {
    DWORD r = ::MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (r != WAIT_OBJECT_0 + 1) break;  // the work is done (or the wait failed: wait below)
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The program is ending: no more messages, just the end of the work.
        quit = true;
        quitCode = msg.wParam;
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  ::WaitForSingleObject(done.get(), INFINITE);
  worker.join();
  if (timer) ::KillTimer(nullptr, timer);
  tCurrentTick = outerTick;
  if (quit) ::PostQuitMessage(int(quitCode));
}

}  // namespace flk::win
