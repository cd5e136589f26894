// A scrolling window of the driver that shows a tall corpus document between
// a fixed header and footer, with its own vertical scroll bar. It scrolls on
// WM_VSCROLL, WM_MOUSEWHEEL and Ctrl+Home as posted by another process, and
// reports its own position (another process's scroll bar cannot be read
// under Wine). Top-level, or a child inside a captioned frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace flk::e2e {

struct TallDocument {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top-down
  uint32_t at(int x, int y) const { return rgb[size_t(y) * size_t(width) + size_t(x)]; }
};
// A PNG of the shared corpus's scroll folder; empty when it cannot be read.
TallDocument LoadScrollDocument(const std::string& name);

class ScrollDocWindow {
 public:
  // client: the document area's size plus header and footer; at: the top-left of the window.
  ScrollDocWindow(const TallDocument& doc, POINT at, int clientHeight, int header, int footer, bool child,
                  int stepRows = 40);
  ~ScrollDocWindow();
  ScrollDocWindow(const ScrollDocWindow&) = delete;
  ScrollDocWindow& operator=(const ScrollDocWindow&) = delete;

  HWND doc() const { return doc_; }      // the window that scrolls
  HWND top() const { return frame_ ? frame_ : doc_; }
  int pos() const { return pos_; }
  int wheels = 0, lines = 0;  // scroll messages received
  int header() const { return header_; }
  int footer() const { return footer_; }
  RECT client() const;                   // of the scrolling window, on the screen
  int regionHeight() const;              // rows between header and footer
  // Row i of the whole contents (header, every document row, footer).
  uint32_t Whole(int x, int i) const;
  // What client pixel (x, y) shows at the current position.
  uint32_t Expected(int x, int y) const;
  // Waits until the screen shows the client as Expected says; the count of differing pixels.
  long WaitShown() const;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  void ScrollTo(int pos);
  void Paint();
  const TallDocument& doc_data_;
  HWND frame_ = nullptr, doc_ = nullptr;
  int header_, footer_, step_, clientHeight_;
  int pos_ = 0;
};

}  // namespace flk::e2e
