// "Send Email" TfrmContact: three ways to get a support mail into the user's
// mail program (Simple MAPI, a mailto link, the clipboard), with step-by-step
// instructions on request.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/diagnostics.h"

namespace flk {

// What the dialog keeps for the rest of the role that asks.
struct ContactChoices {
  bool useAol = false;  // "Use America Online (AOL)"
};

// What the dialog needs of the role that asks.
struct MailHost {
  std::function<std::string()> configuration{};  // the diagnostics text; empty: nothing to append
  std::function<void()> putCameraAway{}, showCamera{};  // empty outside the camera role
  ContactChoices* kept = nullptr;                   // the role's; nullptr: this dialog's own
};

// SendSupportMail: shows the dialog for one request, modal to owner.
void SendSupportMail(const MailRequest& request, HWND owner, const MailHost& host);

// The e-mail setup's comment mail (MapiCommentMail), modal to owner.
void SendCommentMail(HWND owner, ContactChoices* kept = nullptr);

}  // namespace flk
