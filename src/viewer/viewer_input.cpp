#include "viewer/viewer_input.h"

#include <algorithm>

#include "viewer/viewer_layout.h"

namespace flk {

namespace {
// Windows' virtual keys.
constexpr unsigned short kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27,
                         kVkDown = 0x28;

ViewerStep Select(int picture) { return {ViewerStep::SelectPicture, picture}; }
}  // namespace

KeyCode KeyCodeOf(unsigned short key) {
  switch (key) {
    case kVkLeft: return KeyCode::Left;
    case kVkRight: return KeyCode::Right;
    case kVkUp: return KeyCode::Up;
    case kVkDown: return KeyCode::Down;
    case kVkHome: return KeyCode::Home;
    case kVkEnd: return KeyCode::End;
    default: return KeyCode::Other;
  }
}

ViewerStep KeyStep(const ViewerKeyPress& press, const ViewerState& s) {
  const ViewerKey key = KeyAction(KeyCodeOf(press.key), press.modifier, press.memoShown);
  switch (key) {
    case ViewerKey::Previous: return Select(s.current - 1);
    case ViewerKey::Next: return Select(s.current + 1);
    case ViewerKey::First: return Select(0);
    case ViewerKey::Last: return Select(s.count - 1);
    case ViewerKey::PreviousFolder:
    case ViewerKey::NextFolder: {
      const int to = FolderTabStep(key, s.tab, s.folderCount);
      return to >= 0 ? ViewerStep{ViewerStep::SelectFolder, to} : ViewerStep{ViewerStep::Taken};
    }
    case ViewerKey::None: break;
  }
  if (press.memoFocused && MemoKeepsKey(press.key, press.ctrl)) return {};
  const ViewerCommand c = ShortcutCommand(press.key, press.ctrl);
  if (c == ViewerCommand::None) return {};
  if (!ViewerCommandEnabled(c, s.count > 0)) return {ViewerStep::Taken};
  return {ViewerStep::Run, -1, c};
}

ViewerStep MenuStep(int id, const ViewerState& s) {
  if (std::optional<int> folder = FolderOfMenuId(id))
    return *folder < s.folderCount ? ViewerStep{ViewerStep::SelectFolder, *folder} : ViewerStep{ViewerStep::Taken};
  const ViewerCommand c = CommandOfMenuId(id);
  if (c == ViewerCommand::None || !ViewerCommandEnabled(c, s.count > 0)) return {ViewerStep::Taken};
  return {ViewerStep::Run, -1, c};
}

ViewerStep TabStep(bool rightClick, int tab, const ViewerState& s) {
  const TabAction a = rightClick ? TabRightClicked(tab, s.folderCount, s.shownFolder)
                                 : TabClicked(tab, s.folderCount, s.shownFolder);
  switch (a.kind) {
    case TabAction::SelectFolder: return {ViewerStep::SelectFolder, a.index};
    case TabAction::FolderManager: return {ViewerStep::FolderManager, a.index};
    case TabAction::Nothing: break;
  }
  return {ViewerStep::Taken};
}

ViewerStep ToolBarStep(bool rightClick, bool moreBar, bool onButton) {
  if (rightClick || (!moreBar && !onButton)) return {ViewerStep::ShowOptions};
  if (moreBar && onButton) return {ViewerStep::ShowMoreMenu};
  return {};  // a button of the main bar runs its command through WM_COMMAND
}

Rect SizingRect(const Rect& proposed, const Rect& now, bool topEdge, int pictureBoxHeight, const DpiScale& s) {
  if (!ViewerArrangement::RefusesLowering(proposed.height(), now.height(), pictureBoxHeight, s)) return proposed;
  Rect r = proposed;
  if (topEdge) r.top = now.top;
  else r.bottom = now.bottom;
  return r;
}

Rect OpeningRect(const Rect& stored, Size screen) {
  return Rect::FromXYWH(stored.left, stored.top, std::min(stored.width(), screen.width),
                        std::min(stored.height(), screen.height));
}

}  // namespace flk
