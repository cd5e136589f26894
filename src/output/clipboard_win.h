// Putting a picture on the clipboard: a packed device-independent bitmap
// (CF_DIB, from which the system offers CF_BITMAP and CF_DIBV5 as well) and,
// for a picture with a colour table, its palette (CF_PALETTE).
#pragma once

#include <windows.h>

#include "base/picture.h"

namespace flk {

// Replaces the clipboard's contents with the picture, pixel for pixel. The
// clipboard is opened for `owner`. When another program keeps the clipboard
// open, or memory runs out, a warning is shown and the result is false.
bool CopyToClipboard(const Picture& picture, HWND owner = nullptr);

}  // namespace flk
