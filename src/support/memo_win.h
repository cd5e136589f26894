// The diagnostics window TfrmMemo ("FramelarkPro Diagnostics"): the report in
// a memo, with Copy, Print, Send and Close. While it exists it also collects
// the trace lines of the scrolling captures.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/dpi.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmCommon;
struct MailHost;

inline constexpr char kDiagnosticsCaption[] = "FramelarkPro Diagnostics";

class TfrmMemo : public win::Window {
 public:
  // send: the Send button's mail (the window's text as the body).
  using SendFn = std::function<void(const std::string& text, HWND owner)>;
  TfrmMemo(const TfrmCommon* printer, SendFn send) : printer_(printer), send_(std::move(send)) {}
  ~TfrmMemo() override;

  // Shows the text (creating the window at first use) and brings it forward.
  bool ShowText(const std::string& text, HWND owner = nullptr);
  std::string Text() const;
  void AppendLine(const std::string& line);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  bool FormCreate(HWND owner);
  void Arrange();
  void Hide();

  const TfrmCommon* printer_;
  SendFn send_;
  DpiScale scale_;
  win::UniqueFont font_;
  HWND memo_ = nullptr;
  HWND buttons_[4]{};
  bool tracing_ = false;  // installed the trace sink (one report per process)
};

}  // namespace flk
