// TfrmCommon: the one hidden form of a process. It owns the printer-setup
// and save dialogs (so that their choices last for the whole process), the
// hover watch of graphic buttons (Timer1, 150 ms) and the timer of the
// sticky-creation animation (TimerAnimation, 20 ms).
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "shell/common_services.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kCommonFormClass[] = L"TfrmCommon";
inline constexpr UINT kCommonTimer1Ms = 150;
inline constexpr UINT kCommonTimerAnimationMs = 20;

// The filter of the save dialog; its 1-based indexes are the format indexes.
inline constexpr char kSaveDialogFilter[] =
    "All (*.*)|*.*|Bitmap (*.bmp)|*.bmp|GIF ImageFile (*.gif)|*.gif|JPEG ImageFile (*.jpg)|*.jpg|PNG ImageFile "
    "(*.png)|*.png";
inline constexpr DWORD kSaveDialogOptions = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;

// Movable memory from GlobalAlloc (the printer dialog's DEVMODE and DEVNAMES).
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::GlobalFree(h); }
};
using UniqueGlobal = win::UniqueHandle<GlobalMemoryTraits>;

// "A|a|B|b" to the system's list of zero-terminated pairs ending in two zeros.
std::wstring DialogFilterList(const std::string& filter);

class TfrmCommon : public win::Window {
 public:
  TfrmCommon();
  ~TfrmCommon() override;

  bool FormCreate();

  // ---- PrinterSetupDialog1 ------------------------------------------------
  // The system's printer setup dialog; the chosen printer and page setup are
  // kept for later prints of this process. False when cancelled or failed
  // (*error then holds the common-dialog error code, 0 for a cancel).
  bool PrinterSetupDialog1Execute(HWND owner, DWORD* error = nullptr);
  // The kept choice as DEVMODE/DEVNAMES memory (nullptr until a choice).
  HGLOBAL printerDevMode() const { return devMode_.get(); }
  HGLOBAL printerDevNames() const { return devNames_.get(); }

  // ---- SaveDialog1 --------------------------------------------------------
  struct SaveDialogState {
    std::string fileName;    // in: proposed name; out: the chosen full path
    std::string initialDir;  // folder shown first (empty: the system's choice)
    int filterIndex = 1;     // 1-based index into kSaveDialogFilter, in and out
    std::string title;       // empty: the system's caption
  };
  SaveDialogState SaveDialog1;
  // Shows the save dialog; false when the user cancelled.
  bool SaveDialog1Execute(HWND owner);

  // ---- hover watch (Timer1) -----------------------------------------------
  // A graphic button reports the mouse entering it with the cursor's offset
  // inside it and its size.
  void WatchHover(HoverTarget* button, int offsetX, int offsetY, int width, int height);
  // A graphic button that goes away must call this.
  void ForgetHover(HoverTarget* button);
  const HoverWatch& hoverWatch() const { return hover_; }
  void Timer1Timer();

  // ---- TimerAnimation -----------------------------------------------------
  // The sticky-creation animation installs its tick here and starts the timer.
  std::function<void()> onAnimationTick;
  void StartTimerAnimation();
  void StopTimerAnimation();
  bool timerAnimationEnabled() const { return animationOn_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void SetTimer1(bool on);

  HoverWatch hover_;
  bool timer1On_ = false;
  bool animationOn_ = false;
  UniqueGlobal devMode_;
  UniqueGlobal devNames_;
};

// The process's common form: created by the first caller, freed at the end of
// the role (the tray controller, the viewer or the sticky manager).
TfrmCommon* CommonForm();
TfrmCommon& CreateCommonForm();
void FreeCommonForm();

}  // namespace flk
