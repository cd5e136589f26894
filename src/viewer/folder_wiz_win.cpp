#include "viewer/folder_wiz_win.h"

#include "output/folder_menu.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "viewer/add_folder_win.h"
#include "viewer/folder_art_win.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_parts_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

enum Id {
  kLabel1 = kFolderWizHeading,
  kLstFolders = kFolderWizList,
  kBtnNew = kFolderWizAdd,
  kBtnRename = kFolderWizRename,
  kBtnDelete = kFolderWizDelete,
  kBtnClose = kFolderWizClose,
  kLblStatus = kFolderWizStatus
};

}  // namespace

TfrmFolderWiz::TfrmFolderWiz(HWND viewer, StoreFileSystem& fs, std::string baseFolder)
    : viewer_(viewer), manager_(fs, std::move(baseFolder)) {
  FormCreate();
}

TfrmFolderWiz::~TfrmFolderWiz() = default;

bool TfrmFolderWiz::FormCreate() {
  scale_ = win::WindowScale(viewer_);
  if (!win::CreateDialogForm(*this, L"TfrmFolderWiz", kFolderManagerCaption, Size{kFolderWizWidth, kFolderWizHeight},
                             scale_, win::FormPlace::BelowMouse, viewer_))
    return false;
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  boldFont_ = win::MakeSystemFont(win::SystemFont::Message, scale_, FW_BOLD);
  HFONT font = win::FontOrDefault(font_);
  const DpiScale& s = scale_;
  const FolderWizForm form = FolderWizLayout(Size{kFolderArtWidth, kFolderArtHeight});
  win::CreateChild(hwnd(), L"STATIC", kFolderManagerHeading, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                   s(form.heading), kLabel1, boldFont_ ? boldFont_.get() : font);
  win::CreateControl(hwnd(), form.topRule, s(form.topRule.rect), nullptr);
  list_ = win::CreateChild(hwnd(), L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                           s(form.list), kLstFolders, font, WS_EX_CLIENTEDGE);
  win::CreateControls(hwnd(), form.buttons, s, font);
  win::CreateControl(hwnd(), form.bottomRule, s(form.bottomRule.rect), nullptr);
  win::CreateChild(hwnd(), L"STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS, s(form.status),
                   kLblStatus, font);
  image_ = form.art;
  return true;
}

void TfrmFolderWiz::BuildFolderList() {
  manager_.BuildFolderList();
  FillList();
}

const std::vector<std::string>& TfrmFolderWiz::Folders() const { return manager_.Folders(); }

void TfrmFolderWiz::FillList() {
  if (!list_) return;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : manager_.Folders())
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(name).c_str()));
  ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(manager_.Selected()), 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void TfrmFolderWiz::UpdateDelete() { ::EnableWindow(::GetDlgItem(hwnd(), kBtnDelete), manager_.DeleteEnabled()); }

bool TfrmFolderWiz::ShowFolderManager(int index) {
  if (!hwnd()) return false;
  PlaceUnderPointer(hwnd());
  ::SetWindowTextW(::GetDlgItem(hwnd(), kLblStatus), win::Widen(manager_.StatusText()).c_str());
  manager_.Begin(index);
  FillList();
  UpdateDelete();

  win::ModalOptions options;
  options.owner = viewer_;
  options.focus = list_;
  options.keyPreview = DialogKeys(hwnd(), kFolderManagerHelp, [this] { EndModal(); });
  SetDefaultButton(kBtnClose);
  RunModal(options, AfterModal::Hide);  // kept for the next time
  return manager_.FoldersChanged();
}

void TfrmFolderWiz::btnNewClick() {
  ShowNameDialog(hwnd(), manager_, -1, [this] { FillList(); });
  FillList();
  UpdateDelete();
  ::SetFocus(::GetDlgItem(hwnd(), kBtnClose));
}

void TfrmFolderWiz::btnRenameClick() {
  // With no row selected the name dialog adds a folder.
  ShowNameDialog(hwnd(), manager_, manager_.Selected(), [this] { FillList(); });
  FillList();
  UpdateDelete();
  ::SetFocus(::GetDlgItem(hwnd(), kBtnClose));
}

void TfrmFolderWiz::btnDeleteClick() {
  const int row = manager_.Selected();
  if (row < 0 || !manager_.DeleteEnabled()) return;
  const std::string question = manager_.DeleteQuestion(row);
  if (!question.empty() &&
      MessageBoxText(hwnd(), question, kDeleteQuestionCaption, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
    return;
  ::SetLastError(0);
  const DeleteOutcome r = manager_.Delete(row);
  if (!r.warning.empty()) {
    ShowWarning(r.warning, kWarningCaption);
    return;
  }
  FillList();
  UpdateDelete();
  ::SetFocus(::GetDlgItem(hwnd(), kBtnClose));
}

bool TfrmFolderWiz::OnCommand(int id, int notification) {
  switch (id) {
    case kBtnNew: btnNewClick(); return true;
    case kBtnRename: btnRenameClick(); return true;
    case kBtnDelete: btnDeleteClick(); return true;
    case kBtnClose: EndModal(); return true;
    case kLstFolders:
      if (notification == LBN_SELCHANGE)
        manager_.Select(static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0)));
      else if (notification == LBN_DBLCLK)
        btnRenameClick();
      return true;
  }
  return false;
}

bool TfrmFolderWiz::OnFormMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_HELP: ShowHelp(hwnd(), kFolderManagerHelp); *result = TRUE; return true;
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      PaintImage1(dc.get());
      return true;
    }
  }
  return false;
}

void TfrmFolderWiz::PaintImage1(HDC dc) const {
  const Rect at = scale_(image_);
  DrawFolderArt(dc, at.left, at.top, scale_);
}

}  // namespace flk
