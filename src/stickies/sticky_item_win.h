// TfrmStickyItem: one note on the desktop. A borderless window with a raised
// 4-pixel frame around its picture, dragged without being activated, with a
// menu of the picture outputs; it saves its position by renaming its file
// (or writes a new note's file) when it closes.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "base/picture.h"
#include "base/dpi.h"
#include "stickies/gr_btn_win.h"
#include "stickies/note_rules.h"
#include "stickies/sticky_notes.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmCommon;
struct OutputSession;

// What the notes share of their manager.
struct NoteHost {
  HWND manager = nullptr;     // owner of every note and of the e-mail form
  TfrmCommon* common = nullptr;
  OutputSession* outputs = nullptr;  // what the outputs keep for the role
  StickyIds* ids = nullptr;   // HighestStickyId
  std::string folder;         // BaseFolder + "Stickies\"
};

class TfrmStickyItem : public win::Window {
 public:
  TfrmStickyItem(const NoteHost& host, Picture picture);
  ~TfrmStickyItem() override;
  // Creates the hidden window at (left, top) sized to the picture and its frame.
  bool FormCreate(int left, int top);
  // A stored note: its file; a new note has none until it is saved.
  void SetStored(const std::string& path) {
    notePath_ = path;
    isNewNote_ = false;
  }
  // Writes a new note or renames a moved one; at most once.
  void SaveNote();
  bool closed() const { return closed_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void OnDestroyed() override;

 private:
  void Paint();
  void FormResize();
  void ShowMenu(NoteMenuTrigger trigger, Point mouse);
  void GenClick(NoteCommand command);
  Point WindowTopLeft() const;

  NoteHost host_;
  std::optional<Picture> notePicture_;
  std::string notePath_;
  bool isNewNote_ = true;
  bool closed_ = false;
  NoteDrag drag_;
  DpiScale scale_;
  TGrBtn btnMenu_;
  win::UniqueMenu mnuSticky_;
};

}  // namespace flk
