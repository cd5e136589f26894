// The camera's scroll and robo capture windows, each made at its first use
// and kept for the camera's life.
#pragma once

#include <windows.h>

#include <memory>

#include "scroll/scroll_all_win.h"
#include "scroll/scroll_host.h"
#include "scroll/scroll_win.h"

namespace flk {

class CamScrollTools {
 public:
  // The tool, made now as an owned window of `camera` if it is not yet; nullptr when it cannot be made.
  TfrmScroll* Scroll(ScrollHost& host, HWND camera);
  TfrmScrollAll* Robo(ScrollHost& host, HWND camera);

 private:
  std::unique_ptr<TfrmScroll> scroll_;
  std::unique_ptr<TfrmScrollAll> robo_;
};

}  // namespace flk
