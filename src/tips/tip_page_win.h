// One page of the daily tips book on the screen: a white scroll box (vertical
// tracking) holding a 400-pixel panel with the page's title, text, link list,
// link labels and, on "Features", the feature labels with their heading and
// description. Presses on links come back to the book through callbacks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "tips/tips_frame.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TTipPage : public win::Window {
 public:
  struct Callbacks {
    std::function<void(const std::string&)> goTo;  // GoToTipPage
    std::function<void()> camera;                  // the tutorial's camera link
    std::function<void()> suggestion;              // "Submit Suggestion" on "Room For More"
  };
  bool Create(HWND parent, int id, Callbacks callbacks);
  // Shows page `index` (its controls replace the previous page's).
  void Show(int index);
  void SetBounds(const RECT& r);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  int Px(int v) const;
  HWND Add(const TipItem& item);
  HFONT FontOf(TipFont f) const;
  int TextHeight(const std::string& text, HFONT font, int width) const;
  void Build();
  void MakeFonts();
  void ScrollTo(int pos);
  void UpdateScrollBar();
  void OnCommand(int id, int code, HWND control);
  void Perform(const TipPress& press);
  void HoverFeature(int tag);
  bool IsLink(HWND h) const;

  Callbacks callbacks_;
  int page_ = -1;
  int contentHeight_ = 0;
  int scroll_ = 0;
  DpiScale scale_;
  std::vector<HWND> controls_;
  std::vector<HWND> links_;
  HWND heading_ = nullptr, description_ = nullptr, picture_ = nullptr;
  win::UniqueFont titleFont_, textFont_, linkFont_, headingFont_;
  win::UniqueIcon bigIcon_;
};

}  // namespace flk
