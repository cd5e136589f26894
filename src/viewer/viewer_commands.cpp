#include "viewer/viewer_commands.h"

namespace flk {

namespace {
using C = ViewerCommand;
using B = ViewerButton;

constexpr ViewerToolButton kButtons[] = {
    {B::Camera, "btnCamera", "Camera", "Camera", 16, C::Camera, false},
    {B::Paste, "btnPaste", "Paste", "Paste", 11, C::Paste, false},
    {B::Save, "btnSave", "Save", "Save", 3, C::SaveAs, true},
    {B::SaveInc, "btnSaveInc", "Save+1", "Save+1", 17, C::IncSave, false},
    {B::Print, "btnPrint", "Print", "Print", 0, C::Print, false},
    {B::PrintFit, "btnPrintFit", "PrintFit", "Print Stretched To Fit Page", 6, C::PrintFit, false},
    {B::Copy, "btnCopy", "Copy", "Copy", 2, C::Copy, true},
    {B::Edit, "btnEdit", "Editor", "Open In Editor", 5, C::Edit, false},
    {B::Email, "btnEmail", "Email", "Send As Email Attachment", 1, C::Email, false},
    {B::Sticky, "btnSticky", "Sticky", "Open Sticky Note", 7, C::Sticky, false},
    {B::Delete, "btnDelete", "Delete", "Delete Image", 10, C::Delete, true},
    {B::Invert, "btnInvert", "Invert", "Invert Colors", 14, C::Invert, true},
    {B::Crop, "btnCrop", "Crop", "Crop", 18, C::Crop, false},
    {B::Mirror, "btnMirror", "Mirror", "Mirror", 12, C::Mirror, false},
    {B::Flip, "btnFlip", "Flip", "Flip", 13, C::Flip, false},
    {B::Prop, "btnProp", "Property", "Image Properties", 19, C::Properties, false},
};

constexpr ViewerMenuItem kSeparator{nullptr, nullptr, C::None};

constexpr ViewerMenuItem kFile[] = {
    {"Save As . . .", "Ctrl+S", C::SaveAs},    {"Make Email Attachment", "Ctrl+A", C::MakeEmailAttachment},
    {"Properties", "Ctrl+R", C::Properties},   kSeparator,
    {"Print", "Ctrl+P", C::Print},             {"PrintFit", "Ctrl+G", C::PrintFit},
    {"Printer Setup . . .", nullptr, C::PrinterSetup}, kSeparator,
    {"Exit", "Ctrl+Q", C::Exit},
};
constexpr ViewerMenuItem kEdit[] = {
    {"Cut", "Ctrl+X", C::Cut},       {"Copy", "Ctrl+C", C::Copy},     {"Paste", "Ctrl+V", C::Paste},
    {"Delete", "Del", C::Delete},    kSeparator,                      {"Invert", "Ctrl+I", C::Invert},
    {"Crop", "Ctrl+O", C::Crop},     {"Flip", "Ctrl+F", C::Flip},     {"Mirror", nullptr, C::Mirror},
};
constexpr ViewerMenuItem kTools[] = {
    {"Editor", "Ctrl+E", C::Edit}, {"Email . . .", "Ctrl+M", C::Email}, {"Sticky Note", "Ctrl+N", C::Sticky},
    kSeparator,                    {"Camera", "Ctrl+T", C::Camera},     kSeparator,
    {"Customize . . .", nullptr, C::Options},
};
// The folder items go before these.
constexpr ViewerMenuItem kFolders[] = {kSeparator, {"Folder Manager", nullptr, C::FolderWiz}};
constexpr ViewerMenuItem kHelp[] = {{"Help", "F1", C::Help}, {"About . . .", nullptr, C::About}};

constexpr ViewerMenu kMenus[] = {
    {"&File", kFile}, {"&Edit", kEdit}, {"&Tools", kTools}, {"&Folders", kFolders}, {"&Help", kHelp},
};

constexpr ViewerMenuItem kMore[] = {
    {"Camera", nullptr, C::Camera},       {"Paste", nullptr, C::Paste},          kSeparator,
    {"Save As . . .", nullptr, C::SaveAs}, {"Print", nullptr, C::Print},         {"PrintFit", nullptr, C::PrintFit},
    kSeparator,                           {"Copy", nullptr, C::Copy},            {"Image Editor", nullptr, C::Edit},
    {"Email . . .", nullptr, C::Email},   {"Sticky", nullptr, C::Sticky},        {"Delete", nullptr, C::Delete},
    {"Invert", nullptr, C::Invert},       {"Crop", nullptr, C::Crop},            {"Mirror", nullptr, C::Mirror},
    {"Flip", nullptr, C::Flip},           {"Properties", nullptr, C::Properties},
};
constexpr ViewerMenuItem kPopup[] = {
    {"Save As . . .", nullptr, C::SaveAs}, {"Print", nullptr, C::Print}, {"Copy", nullptr, C::Copy},
    {"Image Editor", nullptr, C::Edit},    {"Email . . .", nullptr, C::Email},
    {"Properties", nullptr, C::Properties}, kSeparator, {"Delete", nullptr, C::Delete},
};

// Windows' virtual keys: letters are their capitals; VK_DELETE 0x2E, VK_F1 0x70.
constexpr ViewerShortcut kShortcuts[] = {
    {'S', true, C::SaveAs}, {'A', true, C::MakeEmailAttachment}, {'R', true, C::Properties},
    {'P', true, C::Print},  {'G', true, C::PrintFit},            {'Q', true, C::Exit},
    {'X', true, C::Cut},    {'C', true, C::Copy},                {'V', true, C::Paste},
    {0x2E, false, C::Delete}, {'I', true, C::Invert},            {'O', true, C::Crop},
    {'F', true, C::Flip},   {'E', true, C::Edit},                {'M', true, C::Email},
    {'N', true, C::Sticky}, {'T', true, C::Camera},              {0x70, false, C::Help},
};
}  // namespace

ViewerCommand CommandOfMenuId(int id) {
  const int c = id - kViewerCommandBase;
  return c > int(C::None) && c <= int(C::About) ? ViewerCommand(c) : C::None;
}

CommandKind CommandKindOf(ViewerCommand c) {
  switch (c) {
    case C::None:
    case C::Camera:
    case C::Crop:
    case C::Properties:
    case C::PrinterSetup:
    case C::Options:
    case C::Help:
    case C::About: return CommandKind::kShowOnly;
    default: return CommandKind::kPicture;
  }
}

std::optional<int> FolderOfMenuId(int id) {
  if (id >= kFolderItemBase && id < kFolderItemBase + 10000) return id - kFolderItemBase;
  return std::nullopt;
}

std::span<const ViewerToolButton> ViewerToolButtons() { return kButtons; }
std::span<const ViewerMenu> ViewerMainMenus() { return kMenus; }
std::span<const ViewerMenuItem> ViewerMoreMenu() { return kMore; }
std::span<const ViewerMenuItem> ViewerPopupMenu() { return kPopup; }
std::span<const ViewerShortcut> ViewerShortcuts() { return kShortcuts; }

bool MemoKeepsKey(unsigned short key, bool ctrl) {
  if (key == 0x2E) return !ctrl;
  return ctrl && (key == 'X' || key == 'C' || key == 'V' || key == 'A');
}

ViewerCommand ShortcutCommand(unsigned short key, bool ctrl) {
  for (const ViewerShortcut& s : kShortcuts)
    if (s.key == key && s.ctrl == ctrl) return s.command;
  return C::None;
}

const char* ToolButtonHint(int id) {
  for (const ViewerToolButton& b : kButtons)
    if (CommandMenuId(b.command) == id) return b.hint;
  return nullptr;
}

bool ViewerCommandEnabled(ViewerCommand c, bool hasPictures) {
  switch (c) {
    case C::None:
      return false;
    case C::Camera:
    case C::Paste:
    case C::FolderWiz:
    case C::PrinterSetup:
    case C::Exit:
    case C::Options:
    case C::Help:
    case C::About:
      return true;
    default:
      return hasPictures;
  }
}

}  // namespace flk
