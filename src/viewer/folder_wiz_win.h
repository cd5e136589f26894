// "Folder Manager" TfrmFolderWiz: the viewer's list of picture folders and
// the dialog that adds, renames and deletes them. The viewer makes it at its
// start and keeps it hidden between uses; its list is the viewer's folder list
// (tabs and Folders menu are built from Folders() in the same order).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/dpi.h"
#include "output/picture_store.h"
#include "viewer/folder_manager.h"
#include "win32/modal_form_win.h"
#include "win32/unique_handle.h"

namespace flk {

class TfrmFolderWiz : public win::ModalForm {
 public:
  // Made at the viewer's start, kept hidden between uses. viewer = owner window.
  TfrmFolderWiz(HWND viewer, StoreFileSystem& fs, std::string baseFolder);
  ~TfrmFolderWiz() override;

  void BuildFolderList();                           // the list from disk ("First Folder" made when none)
  const std::vector<std::string>& Folders() const;  // sorted as the camera sorts them
  // Modal, row index selected; returns FoldersChanged (folders added, renamed or deleted).
  bool ShowFolderManager(int index);

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int notification) override;

 private:
  bool FormCreate();
  void FillList();  // lstFolders from the manager's list and selection
  void UpdateDelete();
  void btnNewClick();
  void btnRenameClick();
  void btnDeleteClick();
  void PaintImage1(HDC dc) const;

  HWND viewer_;
  FolderManager manager_;
  DpiScale scale_;
  win::UniqueFont font_, boldFont_;
  HWND list_ = nullptr;
  Rect image_;  // Image1 at 96 DPI
};

}  // namespace flk
