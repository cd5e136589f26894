#include "camera/camera_scroll_tools_win.h"

namespace flk {

namespace {

template <class Tool>
Tool* Made(std::unique_ptr<Tool>& tool, ScrollHost& host, HWND camera) {
  if (!tool) {
    tool = std::make_unique<Tool>(host);
    if (!tool->FormCreate(camera)) tool.reset();
  }
  return tool.get();
}

}  // namespace

TfrmScroll* CamScrollTools::Scroll(ScrollHost& host, HWND camera) { return Made(scroll_, host, camera); }

TfrmScrollAll* CamScrollTools::Robo(ScrollHost& host, HWND camera) { return Made(robo_, host, camera); }

}  // namespace flk
