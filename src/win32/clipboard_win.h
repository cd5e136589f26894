// The clipboard, opened for one handler: a few short retries while another
// program holds it, closed at scope end. Data handed over belongs to the
// clipboard; data that could not be handed over is freed by its owner.
#pragma once

#include <windows.h>

#include <string>

namespace flk::win {

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner);
  ~OpenedClipboard();
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool open() const { return open_; }

 private:
  bool open_ = false;
};

// A picture in any of the forms programs put there (bitmap, DIB, DIB v5).
bool ClipboardHoldsPicture();

// Replaces the clipboard's contents with text (CF_UNICODETEXT); false when
// the clipboard stays busy or memory runs out.
bool PutClipboardText(HWND owner, const std::string& utf8);

}  // namespace flk::win
