#include "stickies/stickies_win.h"

#include "base/bmp.h"
#include "output/output_session_win.h"
#include "output/save_file.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/leftovers.h"
#include "shell/names.h"
#include "stickies/make_sticky_win.h"
#include "stickies/note_rules.h"
#include "win32/files_win.h"
#include "win32/monitors_win.h"

namespace flk {

namespace {

constexpr UINT kWmNoteClosed = WM_APP;
constexpr int kFallDown = 4000;

std::optional<Picture> LoadNotePicture(const std::string& path) {
  // Files beyond the largest picture plus generous headers are refused unread.
  std::optional<std::vector<uint8_t>> bytes = win::ReadFileBytes(path, Picture::kMaxBytes + (size_t(16) << 20));
  if (!bytes) return std::nullopt;
  return DecodeBmp(*bytes);
}

}  // namespace

TfrmStickies::~TfrmStickies() {
  notes_.clear();
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool TfrmStickies::FormCreate() {
  HICON icon = static_cast<HICON>(::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                               LR_DEFAULTSIZE | LR_SHARED));
  // Single border, system menu only, disabled; never shown.
  if (!Create(L"TfrmStickies", L"Stickies", WS_CAPTION | WS_SYSMENU | WS_DISABLED, 0, 0, 0, 200, 100, nullptr,
              nullptr, icon))
    return false;
  host_.manager = hwnd();
  host_.common = &common_;
  host_.outputs = &outputs_;
  host_.ids = &ids_;
  host_.folder = StickiesFolderOf(BaseFolder());
  if (!CreateFolderChain(host_.folder)) {
    ShowMessageText(kNoStickiesFolderText);
    return false;
  }
  LoadStoredNotes();
  return true;
}

TfrmStickyItem* TfrmStickies::OpenNote(Picture picture, int left, int top) {
  auto note = std::make_unique<TfrmStickyItem>(host_, std::move(picture));
  if (!note->FormCreate(left, top)) return nullptr;
  notes_.push_back(std::move(note));
  return notes_.back().get();
}

void TfrmStickies::SetAside(const std::string& path, const std::string& message) {
  std::string aside = SetAsideFolder(host_.folder), target;
  if (CreateFolderChain(aside)) {
    target = aside + SetAsideName(FileNameOf(path), [&](const std::string& n) { return win::FileExists(aside + n); });
    if (!win::MoveFileTo(path, target)) target.clear();
  }
  ShowMessageText(SetAsideReport(message, path, target));
}

void TfrmStickies::LoadStoredNotes() {
  for (const win::FoundFile& f : win::FindFiles(host_.folder + "*.bmp")) {
    if (f.directory || f.hiddenOrSystem) continue;
    std::string path = host_.folder + f.name;
    std::optional<Picture> picture = LoadNotePicture(path);
    StoredNoteVerdict verdict = JudgeStoredNote(f.name, picture.has_value());
    if (verdict.setAside) {
      SetAside(path, verdict.setAside);
      continue;
    }
    ids_.Found(verdict.note->number);
    TfrmStickyItem* note = OpenNote(std::move(*picture), verdict.note->left, verdict.note->top);
    if (!note) continue;
    note->SetStored(path);
    // Back where it was left, on any monitor (kept on the screen of its own
    // monitor, else the nearest). Its file keeps the stored place until it is dragged.
    KeepOnScreen(note->hwnd());
    ::ShowWindow(note->hwnd(), SW_SHOWNOACTIVATE);
  }
}

void TfrmStickies::NewSticky(int left, int top) {
  std::string path = NewStickyPath();
  std::optional<Picture> picture = LoadNotePicture(path);
  if (!picture) {
    ShowMessageText(kNoteUnreadableText + path);
    return;
  }
  // New notes are not moved back inside the screen.
  if (TfrmStickyItem* note = OpenNote(std::move(*picture), left, top)) ::ShowWindow(note->hwnd(), SW_SHOWNOACTIVATE);
}

void TfrmStickies::FormDestroy() {
  // Last to first; each note saves itself as its window goes.
  while (!notes_.empty()) notes_.pop_back();
}

bool TfrmStickies::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case kWmNewSticky: NewSticky(int(wp), int(lp)); return true;
    case kWmNoteClosed:
      std::erase_if(notes_, [](const std::unique_ptr<TfrmStickyItem>& n) { return n->closed(); });
      return true;
    case WM_PAINT: {
      ::ValidateRect(hwnd(), nullptr);
      RECT r{};
      ::GetWindowRect(hwnd(), &r);
      ::SetWindowPos(hwnd(), nullptr, r.left, r.top + kFallDown, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    }
    case WM_CLOSE:
      FormDestroy();
      ::DestroyWindow(hwnd());
      return true;
    case WM_ENDSESSION:
      if (wp) FormDestroy();
      return true;
    case WM_DESTROY: ::PostQuitMessage(0); return true;
  }
  return false;
}

int RunStickyRole() {
  // One manager owns the note files: a second one would load the same notes
  // and write them over each other.
  if (::FindWindowA(kStickiesClass, kStickiesCaption)) return 0;
  // The only writer of the notes now: what a killed manager left half-written goes.
  RemoveLeftoverFiles(BaseFolder(), ProgramFolder(), LeftoverPlace::Notes);
  RoleSettings settings;
  TfrmCommon common;
  if (!common.FormCreate()) return 1;
  OutputSession outputs;
  TfrmStickies manager(common, outputs);
  if (!manager.FormCreate()) return 1;
  // The starter's show command (minimised, not active) is spent on the manager,
  // which stays hidden, and never on the first note.
  ::ShowWindow(manager.hwnd(), SW_HIDE);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

}  // namespace flk
