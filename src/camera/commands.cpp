// Command, toolbar and menu tables of the camera; see commands.h for how the
// Win32 side uses them.
#include "camera/commands.h"

#include <array>
#include <cstdio>

namespace flk {

using C = CommandId;

int TagOf(CommandId id) {
  switch (id) {
    case C::Print: return 1;
    case C::PrintFit: return 2;
    case C::Email: return 3;
    case C::Sticky: return 4;
    case C::Copy: return 5;
    case C::Edit: return 6;
    case C::Hold: return 7;
    case C::SaveAs: return 8;
    case C::MakeEmailAttachment: return 10;
    case C::IncSave: return 11;
    case C::StoreRing: return 19;
    default: return 0;
  }
}

CommandId CommandOfTag(int tag) {
  switch (tag) {
    case 1: return C::Print;
    case 2: return C::PrintFit;
    case 3: return C::Email;
    case 4: return C::Sticky;
    case 5: return C::Copy;
    case 6: return C::Edit;
    case 7: return C::Hold;
    case 8: return C::SaveAs;
    case 10: return C::MakeEmailAttachment;
    case 11: return C::IncSave;
    case 19: return C::StoreRing;
    default: return C::None;
  }
}

std::optional<PictureOutput> OutputOfCommand(CommandId id) {
  switch (id) {
    case C::Print: return PictureOutput::Print;
    case C::PrintFit: return PictureOutput::PrintFit;
    case C::Email: return PictureOutput::Email;
    case C::Copy: return PictureOutput::Copy;
    case C::Edit: return PictureOutput::Edit;
    case C::SaveAs: return PictureOutput::SaveAs;
    case C::MakeEmailAttachment: return PictureOutput::EmailAttachment;
    case C::IncSave: return PictureOutput::SaveSamePlusOne;
    default: return std::nullopt;
  }
}

CommandKind CommandKindOf(CommandId id) {
  if (id == CommandId::Exit || TagOf(id) != 0) return CommandKind::kPicture;
  return CommandKind::kShowOnly;
}

CommandKind CommandKindOfTag(int tag) {
  return tag < 0 || CommandOfTag(tag) != CommandId::None ? CommandKind::kPicture : CommandKind::kShowOnly;
}

bool CommandEnabled(CommandId id, CameraModes modes) {
  switch (id) {
    case C::WinCap:
    case C::WorkArea:
    case C::ScrollCap:
    case C::Robo:
      return !modes.hold && !modes.desktopFrozen;
    default:
      return true;
  }
}

// ---- toolbar ------------------------------------------------------------------

using B = ToolButton;
static constexpr ToolButtonInfo kButtons[] = {
    {B::Recall, "btnRecall", "Recall", "View Stored Images", C::OpenViewer, "CambtnRecall", false},
    {B::Store, "btnStore", "Store", "", C::StoreRing, "CambtnStore", false},
    {B::Save, "btnSave", "Save", "Save", C::SaveAs, "CambtnSave", true},
    {B::IncSave, "btnIncSave", "Save+1", "Save To Same File + 1", C::IncSave, "CambtnIncSave", false},
    {B::Print, "btnPrint", "Print", "Print", C::Print, "CambtnPrint", false},
    {B::PrintFit, "btnPrintFit", "PrintFit", "Print Stretched To Fit Page", C::PrintFit, "CambtnPrintFit", false},
    {B::Copy, "btnCopy", "Copy", "Copy", C::Copy, "CambtnCopy", true},
    {B::Edit, "btnEdit", "Editor", "Open In Editor", C::Edit, "CambtnEdit", false},
    {B::Email, "btnEmail", "Email", "Send As Email Attachment", C::Email, "CambtnEmail", false},
    {B::Sticky, "btnSticky", "Sticky", "Make Sticky Note", C::Sticky, "CambtnSticky", false},
    {B::Lock, "btnLock", "Hold", "Hold Current View", C::Hold, "CambtnLock", true},
    {B::ToEdge, "btnToEdge", "ToEdge", "Capture Large Images", C::ToEdge, "CambtnToEdge", false},
    {B::FullScreen, "btnFullScreen", "Screen", "Capture Full Screen", C::FullScreen, "CambtnScreen", false},
    {B::Robo, "btnRobo", "Robo", "Capture Entire Scrolling Window", C::Robo, "CambtnRobo", true},
    {B::Scroll, "btnScroll", "Scroll", "Capture Part Of Scrolling Window", C::ScrollCap, "CambtnScroll", false},
    {B::Window, "btnWindow", "Windw", "Capture Window Below", C::WinCap, "CambtnWindow", false},
    {B::WorkArea, "btnWorkArea", "Inside", "Borderless Window Capture", C::WorkArea, "CambtnInside", false},
};
static_assert(std::size(kButtons) == kToolButtonCount);
static constexpr ToolButtonInfo kMoreButton{B::More, "btnMore", "More", "", C::More, "", false};

std::span<const ToolButtonInfo> ToolButtons() { return kButtons; }

const ToolButtonInfo& ToolButtonOf(ToolButton b) {
  if (b == B::More) return kMoreButton;
  return kButtons[static_cast<int>(b)];
}

std::vector<ToolbarItem> VisibleToolbarItems(const bool (&visible)[kToolButtonCount], int buttonWidth,
                                             int separatorWidth, int dropArrowWidth) {
  std::vector<ToolbarItem> items;
  bool groupStarted = false;  // a visible button stands left of the current position
  bool pendingSeparator = false;
  for (int i = 0; i < kToolButtonCount; ++i) {
    if (kButtons[i].separatorBefore && groupStarted) pendingSeparator = true;
    if (!visible[i]) continue;
    if (pendingSeparator) items.push_back(ToolbarItem{-1, separatorWidth});
    pendingSeparator = false;
    items.push_back(ToolbarItem{i, buttonWidth + (kButtons[i].button == ToolButton::Store ? dropArrowWidth : 0)});
    groupStarted = true;
  }
  return items;
}

std::vector<int> WidthsOf(const std::vector<ToolbarItem>& items) {
  std::vector<int> widths;
  for (const ToolbarItem& item : items) widths.push_back(item.width);
  return widths;
}

// ---- menus --------------------------------------------------------------------

static constexpr MenuInfo kMainMenus[] = {
    {MenuId::File, "mnuFile", "&File"},
    {MenuId::Grab, "mnuCapture", "&Grab"},
    {MenuId::Tools, "mnuTools", "&Tools"},
    {MenuId::Custom, "mnuCustom", "&Custom"},
    {MenuId::Help, "mnuHelpTop", "&Help"},
};

using K = EntryKind;
static constexpr MenuEntry kFile[] = {
    {"mnuSaveAs", "Save As . . .", 'S', C::SaveAs, false},
    {"mnuIncSave", "Save Same Name +1", 'I', C::IncSave, false},
    {"mnuSaveCopyPath", "Make Email Attachment", 'A', C::MakeEmailAttachment, false},
    {"mnuStore", "Store", 0, C::StoreMenu, true, K::Submenu},
    {"mnuViewer", "Recall", 'T', C::OpenViewer, false},
    {"mnuPrint", "Print", 'P', C::Print, true},
    {"mnuFit", "Print, Stretch Fit Page", 'G', C::PrintFit, false},
    {"mnuPrinterSetup", "Printer Setup . . .", 0, C::PrinterSetup, false},
    {"mnuClose", "Close To Status Area", 0, C::CloseToTray, true},
    {"mnuMaximize", "Maximize", 0, C::Maximize, false},
    {"mnuExit", "E&xit", 'Q', C::Exit, false},
    {"mnuForAll", "For All", 0, C::More, false, K::Hidden},
};
static constexpr MenuEntry kGrab[] = {
    {"mnuCaptureFullScreen", "Full Screen ", 'F', C::FullScreen, false},
    {"mnuWinCap", "Window", 'W', C::WinCap, false},
    {"mnuInside", "Inside Window ", 'U', C::WorkArea, false},
    {"mnuScroll", "Scroll Capture", 'L', C::ScrollCap, true},
    {"mnuRobo", "Robo Capture", 'R', C::Robo, false},
};
static constexpr MenuEntry kTools[] = {
    {"mnuCopy", "Copy", 'C', C::Copy, false},
    {"mnuEdit", "Open In Image Editor", 'E', C::Edit, false},
    {"mnuEmail", "Email . . .", 'M', C::Email, false},
    {"mnuSticky", "Make Sticky Note", 'N', C::Sticky, false},
    {"mnuLockView", "Hold On Top", 'H', C::Hold, false},
    {"mnuRefresh", "Refresh", 'J', C::Refresh, false},
};
static constexpr MenuEntry kCustom[] = {
    {"mnuControlsTop", "Top Control Panel", 0, C::ControlsTop, false, K::Radio},
    {"mnuControlsBot", "Bottom Control Panel", 0, C::ControlsBottom, false, K::Radio},
    {"mnuEdgeToEdge", "Edge To Edge Capture", 0, C::ToEdge, false, K::Radio},
    {"mnuCamCustom", "General Settings . . .", 0, C::GeneralSettings, true},
    {"EditorSettings1", "Editor Setup . . .", 0, C::EditorSetup, false},
    {"mnuStartupLinks", "Launch Settings . . .", 0, C::LaunchSettings, false},
    {"mnuScrollCaptureTune", "Scroll Capture Settings . . .", 0, C::ScrollCaptureSettings, false},
    {"mnuColorDepth", "Output Bitmap File Color Depth", 0, C::ColorDepthMenu, true, K::Submenu},
    {"mnuNSA", "Restore All No-Show-Again Dialogs", 0, C::RestoreNoShowAgain, false},
};
static constexpr MenuEntry kHelp[] = {
    {"mnuHelp", "Help", kKeyF1, C::Help, false},
    {"mnuWelcome", "Daily Tips", 0, C::DailyTips, false},
    {"mnuContact", "Go to Hollowbrook Website", 0, C::Website, true},
    {"mnuFeedback", "Send Email to Hollowbrook . . .", 0, C::Feedback, false},
    {"mnuBugReports", "Send a Bug Report . . .", 0, C::BugReport, false},
    {"mnuDiag", "Diagnostics. . .", 0, C::Diagnostics, true},
    {"mnuAbout", "About Framelark . . .", 0, C::About, false},
};
// "More" has no shortcuts.
static constexpr MenuEntry kMore[] = {
    {"mnuAllRecall", "Recall", 0, C::OpenViewer, false},
    {"mnuAllStore", "Store", 0, C::StoreMenu, false, K::Submenu},
    {"mnuAllSave", "Save As . . .", 0, C::SaveAs, true},
    {"mnuAllIncSave", "Save+1", 0, C::IncSave, false},
    {"mnuAllPrint", "Print", 0, C::Print, false},
    {"mnuAllPrintFit", "PrintFit", 0, C::PrintFit, false},
    {"mnuAllCopy", "Copy", 0, C::Copy, true},
    {"mnuAllEdit", "Editor", 0, C::Edit, false},
    {"mnuAllEmail", "Email . . .", 0, C::Email, false},
    {"mnuAllSticky", "Sticky", 0, C::Sticky, false},
    {"mnuAllLock", "Hold On Top", 0, C::Hold, true},
    {"mnuAllFullScreen", "Screen Capture", 0, C::FullScreen, false},
    {"mnuAllRobo", "Robo Capture", 0, C::Robo, true},
    {"mnuAllScroll", "Scroll Capture", 0, C::ScrollCap, false},
    {"mnuAllWindow", "Window Capture", 0, C::WinCap, false},
    {"mnuAllWorkArea", "Inside Capture", 0, C::WorkArea, false},
};
// The view popup; mnuEdgeOff is shown only while the panel floats.
static constexpr MenuEntry kPopup[] = {
    {"mnuContextStore", "Store", 0, C::StoreMenu, false, K::Submenu},
    {"mnuContextSave", "Save As . . .", 0, C::SaveAs, false},
    {"mnuContextIncSave", "Save+1", 0, C::IncSave, false},
    {"mnuContextPrint", "Print", 0, C::Print, true},
    {"mnuPrintFit", "PrintFit", 0, C::PrintFit, false},
    {"mnuContextCopy", "Copy", 0, C::Copy, true},
    {"mnuContextEditor", "Edit", 0, C::Edit, false},
    {"mnuContextEmail", "Email . . .", 0, C::Email, false},
    {"mnuContextSticky", "Sticky", 0, C::Sticky, false},
    {"mnuContextHold", "Hold On Top", 0, C::Hold, true},
    {"mnuEdgeOff", "Edge To Edge Off", 0, C::EdgeOff, false},
};

std::span<const MenuInfo> MainMenus() { return kMainMenus; }

std::span<const MenuEntry> MenuEntries(MenuId menu) {
  switch (menu) {
    case MenuId::File: return kFile;
    case MenuId::Grab: return kGrab;
    case MenuId::Tools: return kTools;
    case MenuId::Custom: return kCustom;
    case MenuId::Help: return kHelp;
    case MenuId::More: return kMore;
    case MenuId::ViewPopup: return kPopup;
  }
  return {};
}

std::string MenuEntryText(const MenuEntry& e) {
  std::string shortcut = ShortcutText(e);
  return shortcut.empty() ? std::string(e.caption) : std::string(e.caption) + "\t" + shortcut;
}

std::string ShortcutText(const MenuEntry& e) {
  if (e.key == kKeyF1) return "F1";
  if (e.key >= 'A' && e.key <= 'Z') return std::string("Ctrl+") + static_cast<char>(e.key);
  return {};
}

const MenuEntry* FindMenuEntry(std::string_view name) {
  for (MenuId m : {MenuId::File, MenuId::Grab, MenuId::Tools, MenuId::Custom, MenuId::Help, MenuId::More,
                   MenuId::ViewPopup})
    for (const MenuEntry& e : MenuEntries(m))
      if (name == e.name) return &e;
  return nullptr;
}

// ---- shortcuts ----------------------------------------------------------------

static const std::array<const MenuEntry*, 18>& ShortcutTable() {
  static const std::array<const MenuEntry*, 18> table = [] {
    const char* names[] = {"mnuSaveAs", "mnuSaveCopyPath", "mnuIncSave", "mnuPrint", "mnuFit",
                           "mnuExit", "mnuCaptureFullScreen", "mnuWinCap", "mnuInside", "mnuScroll",
                           "mnuRobo", "mnuCopy", "mnuEdit", "mnuEmail", "mnuSticky",
                           "mnuLockView", "mnuRefresh", "mnuViewer"};
    std::array<const MenuEntry*, 18> t{};
    for (size_t i = 0; i < t.size(); ++i) t[i] = FindMenuEntry(names[i]);
    return t;
  }();
  return table;
}

std::span<const MenuEntry* const> ShortcutItems() { return ShortcutTable(); }

ShortcutMatch MatchShortcut(int key, ShiftState shift, CameraModes modes) {
  ShortcutMatch m;
  if (!shift.ctrl || shift.shift || shift.alt) return m;
  for (const MenuEntry* e : ShortcutItems()) {
    if (e == nullptr || e->key != key) continue;
    m.swallow = true;
    m.entry = e;
    if (CommandEnabled(e->command, modes)) m.run = e->command;
    break;
  }
  return m;
}

// ---- status line --------------------------------------------------------------

std::string SizeText(int width, int height) {
  return "Size = " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

bool RefreshClearsStatus(std::string_view status) { return status.find("restore") != std::string_view::npos; }

}  // namespace flk
