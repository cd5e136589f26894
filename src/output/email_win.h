// Sending a picture as an e-mail attachment: the e-mail format dialog
// TfrmEmail, then Simple MAPI (MAPISendDocuments) or the Paste/Attach way (the
// path on the clipboard, a new message of the default mail program, and the
// instruction tip). Any window of any role that holds a picture may call it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/picture.h"

namespace flk {

// What the e-mail needs of the role that asks; both empty outside the camera role.
struct EmailHost {
  std::function<void()> putCameraAway{};   // PutCameraAway, before the instruction tip
  std::function<void()> hideCameraToTray{};  // HideCameraToTray, after it
  // The setup dialog's "Email" button: a comment mail to the maker (empty: the button is disabled).
  std::function<void(HWND)> sendComment{};
};

class TfrmGrFormat;

// The whole flow for one picture (at the depth the caller applied). The
// e-mail format dialog is created on the first call, owned by that call's
// `owner`, and kept in `kept` (the role's). Returns false only when the e-mail file could
// not be written (the user has been told); a cancel is not a failure.
bool SendPictureByEmail(const Picture& picture, HWND owner, const EmailHost& host, std::unique_ptr<TfrmGrFormat>& kept);

// The setup and troubleshooting dialog TfrmTrouble, modal to `owner`;
// errorCode 0 for setup. Returns IDOK, IDCANCEL or kMapiSendResult (6, "&Send").
int ShowMailSetup(long errorCode, HWND owner, const std::function<void(HWND)>& sendComment);

}  // namespace flk
