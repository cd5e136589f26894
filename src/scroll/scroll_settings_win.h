// TfrmScrollSettings, "Scrolling Capture Fine Tuning": the scroll and robo
// parameters on two tabs. Reads its controls into SettingsControls, lets
// ScrollSettingsDialog decide, and writes back the controls it returns.
#pragma once

#include <windows.h>

#include "scroll/scroll_settings.h"
#include "scroll/scroll_settings_form.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kScrollSettingsClass[] = L"TfrmScrollSettings";


// Shows the dialog modally over owner: 1 OK, 2 Cancel.
int ShowScrollSettings(HWND owner, ScrollParams& scroll, ScrollParams& robo, bool scrollTab);

class TfrmScrollSettings : public win::Window {
 public:
  TfrmScrollSettings(ScrollParams& scroll, ScrollParams& robo, bool scrollTab) : dlg_(scroll, robo, scrollTab) {}
  bool FormCreate(HWND owner);
  int Execute(HWND owner);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  SettingsControls ReadControls() const;
  void WriteControls(const SettingsControls& c);
  bool Refuse(const std::optional<StoreError>& e);
  void btnOKClick();
  HWND Item(int id) const { return ::GetDlgItem(hwnd(), id); }

  ScrollSettingsDialog dlg_;
  win::UniqueFont font_;
  int modalResult_ = 0;
};

}  // namespace flk
