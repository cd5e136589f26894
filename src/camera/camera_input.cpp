// The camera's input rules; see camera_input.h.
#include "camera/camera_input.h"

#include <algorithm>
#include <string_view>

#include "camera/capture_modes.h"
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

MenuItemState MenuItemStateOf(int id, CameraModes modes, PanelAlign align) {
  if (id < kCmdBase || id >= kCmdDepthBase) return {};
  const auto cmd = static_cast<CommandId>(id - kCmdBase);
  return MenuItemState{true, CommandEnabled(cmd, modes), CommandChecked(cmd, modes.hold, align)};
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

int ToolItemAt(const CameraHitMap& m, Point p) {
  if (m.more.contains(p)) return kMoreItem;
  for (size_t i = 0; i < m.toolItems.size(); ++i)
    if (m.toolItems[i].contains(p)) return int(i);
  return -1;
}

PressTarget PressAt(const CameraHitMap& m, Point p, bool doubleClick) {
  using K = PressTarget::Kind;
  if (m.stale) return {K::RefreshOnly};
  // Latches lie on the frame and come first.
  if (!m.hold && (m.latchTop.contains(p) || m.latchBottom.contains(p)))
    return {K::Latch, m.latchTop.contains(p) ? 1 : 2};
  if (int edges = FrameResizeEdges(p.x, p.y, m.client.width, m.client.height, m.bevel)) return {K::Resize, edges};
  if (m.controlVisible && m.control.contains(p)) {
    if (m.titleBar.contains(p)) {
      if (m.titleGlyphs[0].contains(p)) return {K::Minimize};
      if (m.titleGlyphs[1].contains(p)) return {K::Maximize};
      if (m.titleGlyphs[2].contains(p)) return {K::Close};
      return {doubleClick ? K::Maximize : K::Move};
    }
    for (size_t i = 0; i < m.menuButtons.size(); ++i)
      if (m.menuButtons[i].contains(p)) return {K::MenuButton, int(i)};
    if (m.menuRowClose.contains(p)) return {K::Close};
    if (m.toolBar.contains(p)) {
      int item = ToolItemAt(m, p);
      return item < 0 ? PressTarget{K::CustomiseToolbar} : PressTarget{K::ToolItem, item};
    }
    return {K::Move};
  }
  if (m.align == PanelAlign::Floating && !m.hold) return {K::Floating};
  return {K::Move};
}

CameraCursor CursorAt(const CameraHitMap& m, Point p, bool keysDown, bool toolPressed) {
  if (FrameResizeEdges(p.x, p.y, m.client.width, m.client.height, m.bevel)) {
    switch (FrameCursorAt(p.x, p.y, m.client.width, m.client.height, m.stale)) {
      case ResizeCursor::Arrow: return CameraCursor::Arrow;
      case ResizeCursor::SizeWE: return CameraCursor::SizeWE;
      case ResizeCursor::SizeNS: return CameraCursor::SizeNS;
      case ResizeCursor::SizeNWSE: return CameraCursor::SizeNWSE;
      case ResizeCursor::SizeNESW: return CameraCursor::SizeNESW;
    }
  }
  if (m.stale || keysDown || toolPressed) return CameraCursor::Arrow;
  if (m.controlVisible && m.control.contains(p)) {
    bool onTitle = m.titleBar.contains(p) && PressAt(m, p, false).kind == PressTarget::Move;
    return onTitle || m.status.contains(p) ? CameraCursor::SizeAll : CameraCursor::Arrow;
  }
  return m.viewPanel.contains(p) ? CameraCursor::SizeAll : CameraCursor::Arrow;
}

ToolRelease ReleaseToolItem(const CameraHitMap& m, int pressed, Point p, CameraModes modes) {
  ToolRelease r;
  if (ToolItemAt(m, p) != pressed) return r;
  if (pressed == kMoreItem) return ToolRelease{ToolRelease::PopupMore, Point{m.more.left, m.more.bottom}};
  if (pressed < 0 || size_t(pressed) >= m.toolButtons.size() || m.toolButtons[size_t(pressed)] < 0) return r;
  const Rect& item = m.toolItems[size_t(pressed)];
  const ToolButtonInfo& b = ToolButtons()[size_t(m.toolButtons[size_t(pressed)])];
  if (b.button == ToolButton::Store && p.x >= item.right - 12)
    return ToolRelease{ToolRelease::PopupStore, Point{item.left, item.bottom}};
  if (CommandEnabled(b.command, modes)) r = ToolRelease{ToolRelease::Run, Point{}, b.command};
  return r;
}

RightPress RightPressAt(const CameraHitMap& m, Point p) {
  if (m.stale) return {};
  if (int item = ToolItemAt(m, p); item >= 0 && size_t(item) < m.toolButtons.size()) {
    const int index = m.toolButtons[size_t(item)];
    const ToolButton b = index >= 0 ? ToolButtons()[size_t(index)].button : ToolButton::Store;
    if (b == ToolButton::Scroll) return {RightPress::ScrollSettings};
    if (b == ToolButton::Robo) return {RightPress::RoboSettings};
  }
  if (m.controlVisible && m.control.contains(p)) return {RightPress::Customise};
  const bool overView = m.viewPanel.contains(p);
  if (m.align == PanelAlign::Floating && !m.hold) return {RightPress::Floating, overView};
  return {overView ? RightPress::ViewPopup : RightPress::Nothing};
}

int MenuRowOfAccelerator(int ch, bool controlVisible) {
  if (!controlVisible) return -1;
  if (ch >= 'a' && ch <= 'z') ch -= 'a' - 'A';
  int i = 0;
  for (const MenuInfo& m : MainMenus()) {
    std::string_view caption = m.caption;
    size_t amp = caption.find('&');
    if (amp != std::string_view::npos && amp + 1 < caption.size()) {
      int letter = caption[amp + 1];
      if (letter >= 'a' && letter <= 'z') letter -= 'a' - 'A';
      if (letter == ch) return i;
    }
    ++i;
  }
  return -1;
}

CommandRoute RouteOf(CommandId id) {
  using K = CommandRoute::Kind;
  CommandRoute r;
  if (int tag = TagOf(id)) {
    r.kind = K::GenClick;
    r.tag = tag;
    return r;
  }
  switch (id) {
    case CommandId::WinCap:
    case CommandId::WorkArea:
      r.kind = K::Capture;
      r.mode = id == CommandId::WinCap ? kModeWindowAtCentre : kModeInsideAtCentre;
      r.hintKey = kHintKeyCentre;
      return r;
    case CommandId::FullScreen: r.kind = K::Capture; r.mode = kModeFullScreen; return r;
    case CommandId::ScrollCap:
    case CommandId::Robo:
      r.kind = K::ScrollTool;
      r.robo = id == CommandId::Robo;
      r.hintKey = kHintKeyScroll;
      return r;
    case CommandId::ScrollCaptureSettings: r.kind = K::ScrollSettings; return r;
    case CommandId::OpenViewer: r.kind = K::OpenViewer; r.usageCode = kUsageRecall; return r;
    case CommandId::Refresh: r.kind = K::Refresh; r.usageCode = kUsageRefresh; return r;
    case CommandId::ToEdge: r.kind = K::ToEdge; return r;
    case CommandId::EdgeOff:
    case CommandId::ControlsTop: r.kind = K::Dock; return r;
    case CommandId::ControlsBottom: r.kind = K::Dock; r.align = PanelAlign::Bottom; return r;
    case CommandId::CloseToTray: r.kind = K::CloseToTray; return r;
    case CommandId::Maximize: r.kind = K::Maximize; return r;
    case CommandId::Exit: r.kind = K::Exit; return r;
    case CommandId::More: r.kind = K::PopupMore; return r;
    case CommandId::StoreMenu: r.kind = K::PopupStore; return r;
    case CommandId::PrinterSetup: r.kind = K::PrinterSetup; return r;
    case CommandId::RestoreNoShowAgain: r.kind = K::RestoreNoShowAgain; return r;
    case CommandId::Help: r.kind = K::Help; return r;
    case CommandId::Website: r.kind = K::Website; return r;
    case CommandId::About: r.kind = K::About; return r;
    case CommandId::Diagnostics: r.kind = K::Diagnostics; return r;
    case CommandId::LaunchSettings: r.kind = K::LaunchSettings; return r;
    case CommandId::Feedback: r.kind = K::Feedback; return r;
    case CommandId::BugReport: r.kind = K::BugReport; return r;
    case CommandId::DailyTips: r.kind = K::DailyTips; return r;
    case CommandId::GeneralSettings: r.kind = K::GeneralSettings; return r;
    case CommandId::EditorSetup: r.kind = K::EditorSetup; return r;
    default: return r;
  }
}

FolderMenuItem FolderMenuItemOf(const FolderMenuEntry& e) {
  using K = FolderMenuItem::Kind;
  if (!e.visible) return {};
  switch (e.kind) {
    case FolderMenuEntry::Separator: return {K::Separator};
    case FolderMenuEntry::CreateFolder: return {K::Item, kCmdNewFolder, true};
    case FolderMenuEntry::SameFolder:
    case FolderMenuEntry::Folder: return {K::Item, kCmdFolderBase + FolderIndexOfTag(e.tag), e.enabled};
  }
  return {};
}

}  // namespace flk
