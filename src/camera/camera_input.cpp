// The camera's input rules; see camera_input.h.
#include "camera/camera_input.h"

#include <algorithm>

#include "camera/move_resize.h"

namespace flk {

MenuChoice DecodeMenuId(int id) {
  MenuChoice c;
  if (id >= kCmdFolderBase) {
    c.kind = MenuChoice::Folder;
    c.value = id - kCmdFolderBase;
  } else if (id == kCmdNewFolder) {
    c.kind = MenuChoice::NewFolder;
  } else if (id >= kCmdDepthBase) {
    c.kind = MenuChoice::ColorDepth;
    c.value = id - kCmdDepthBase;
  } else if (id > kCmdBase && id < kCmdDepthBase) {
    c.kind = MenuChoice::Command;
    c.command = static_cast<CommandId>(id - kCmdBase);
  }
  return c;
}

bool CommandChecked(CommandId id, bool hold, PanelAlign align) {
  switch (id) {
    case CommandId::Hold: return hold;
    case CommandId::ControlsTop: return align == PanelAlign::Top;
    case CommandId::ControlsBottom: return align == PanelAlign::Bottom;
    case CommandId::ToEdge: return align == PanelAlign::Floating;
    default: return false;
  }
}

KeyAction CameraKeyDown(int key, ShiftState s, CameraModes modes, bool viewStale) {
  KeyAction a;
  ShortcutMatch m = MatchShortcut(key, s, modes);
  if (m.swallow) {
    a.handled = a.swallowChar = true;
    a.run = m.run;
    return a;
  }
  bool modifier = s.shift || s.ctrl || s.alt;
  switch (key) {
    case kKeyF1:
      if (modifier) return a;
      a.handled = true;
      a.run = CommandId::Help;
      return a;
    case kKeyEscape: a.handled = a.thaw = true; return a;
    case kKeyF10: a.handled = true; return a;  // no menu loop for F10
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown: {
      a.handled = true;
      int dx = key == kKeyLeft ? -1 : key == kKeyRight ? 1 : 0;
      int dy = key == kKeyUp ? -1 : key == kKeyDown ? 1 : 0;
      if (modifier) {
        a.growX = dx;
        a.growY = dy;
      } else if (!viewStale) {
        a.moveX = dx;
        a.moveY = dy;
      }
      return a;
    }
    default: return a;
  }
}

int FrameResizeEdges(int x, int y, int width, int height, int bevel) {
  int e = std::max(2, bevel);
  bool onFrame = x < e || x >= width - e || y < e || y >= height - e;
  return onFrame ? ResizeEdgesAt(x, y, width, height) : 0;
}

}  // namespace flk
