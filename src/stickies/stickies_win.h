// The "sticky" role: the hidden manager TfrmStickies ("Stickies") that loads
// every note of "Stickies\" at start, opens new notes on WM_NEWSTICKY and, when
// it closes, closes (and so saves) every note.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "stickies/sticky_item_win.h"
#include "stickies/sticky_notes.h"
#include "win32/window.h"

namespace flk {

class TfrmStickies : public win::Window {
 public:
  TfrmStickies(TfrmCommon& common, OutputSession& outputs) : common_(common), outputs_(outputs) {}
  ~TfrmStickies() override;
  // Creates the never-shown window and loads the stored notes; false when
  // the Stickies folder cannot be made (the user has been told).
  bool FormCreate();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void LoadStoredNotes();
  void NewSticky(int left, int top);
  TfrmStickyItem* OpenNote(Picture picture, int left, int top);
  // A file that cannot be a note is reported once and moved aside, never deleted.
  void SetAside(const std::string& path, const std::string& message);
  void FormDestroy();

  TfrmCommon& common_;
  OutputSession& outputs_;
  NoteHost host_;
  StickyIds ids_;
  std::vector<std::unique_ptr<TfrmStickyItem>> notes_;
};

// The role's composition root: its settings, common form, outputs and manager.
int RunStickyRole();

}  // namespace flk
