// TfrmScrollSettings, "Scrolling Capture Fine Tuning": the scroll and robo
// parameters on two tabs. Reads its controls into SettingsControls, lets
// ScrollSettingsDialog decide, and writes back the controls it returns.
#pragma once

#include <windows.h>

#include "scroll/scroll_settings.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kScrollSettingsClass[] = L"TfrmScrollSettings";

// Control ids (the radio items follow their group's first id).
enum ScrollSettingsId : int {
  kIdTabControl1 = 1000,
  kIdLblTop = 1001,
  kIdMemo1 = 1002,
  kIdRdoSize = 1100,
  kIdRdoWait = 1110,
  kIdRdoStep = 1120,
  kIdChkMessage = 1201,
  kIdChkSrchVScroll = 1202,
  kIdChkIndex = 1203,
  kIdEditIndexCol = 1301,
  kIdEditRtMargin = 1302,
  kIdEditScanTp = 1303,
  kIdEditScanLt = 1304,
  kIdEditScanRt = 1305,
  kIdEditScanBt = 1306,
  kIdBtnRestore = 1401,
};

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
