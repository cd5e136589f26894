// The e-mail setup and troubleshooter's controls ("MAPI Email Setup &
// Troubleshooter"), as a table at 96 DPI in creation and tab order.
#pragma once

#include <string>
#include <vector>

#include "base/form_controls.h"

namespace flk {

inline constexpr int kMailSetupWidth = 392, kMailSetupHeight = 411;

enum MailSetupId : int {
  kMailMemoTop = 200,  // the headline, in bold
  kMailMemoDiag,
  kMailChkMapi,
  kMailMemo2,
  kMailChkNonMapi,
  kMailMemo3,
  kMailLblClient,
  kMailCbxClients,
  kMailChkNonMapiOpen,
  kMailBtnHelp,
  kMailLabel1,
  kMailBtnWeb,
  kMailLabel2,
  kMailBtnEmail,
  kMailLabel3,
  kMailBtnSend,
};
inline constexpr int kMailOk = 1, kMailCancel = 2;  // the system's IDOK and IDCANCEL

// The headline and the diagnosis are the texts of this opening.
std::vector<FormControl> MailSetupControls(const std::string& headline, const std::string& diagnosis);

}  // namespace flk
