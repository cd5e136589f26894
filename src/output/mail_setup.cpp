// The e-mail setup's table; see mail_setup.h.
#include "output/mail_setup.h"

namespace flk {

std::vector<FormControl> MailSetupControls(const std::string& headline, const std::string& diagnosis) {
  using K = FormControl;
  std::vector<FormControl> c = {
      {K::Label, headline, kMailMemoTop, Rect::FromXYWH(8, 8, 376, 18)},
      {K::ScrollingNote, diagnosis, kMailMemoDiag, Rect::FromXYWH(8, 30, 376, 100)},
      {K::RadioButton, "", kMailChkMapi, Rect::FromXYWH(8, 140, 16, 18), true},
      {K::Label, "MAPI Mode - Sending pictures is easy and automatic if your email client is \"Simple MAPI\" compatible.",
       kMailMemo2, Rect::FromXYWH(28, 140, 356, 30)},
      {K::RadioButton, "", kMailChkNonMapi, Rect::FromXYWH(8, 176, 16, 18)},
      {K::Label,
       "Paste/Attach Mode - Framelark opens your email client, places the file path on the clipboard for pasting, "
       "and provides instruction.",
       kMailMemo3, Rect::FromXYWH(28, 176, 356, 30)},
      {K::Label, "Show instruction for:", kMailLblClient, Rect::FromXYWH(28, 215, 110, 18)},
      {K::DropList, "", kMailCbxClients, Rect::FromXYWH(140, 211, 200, 220), true},
      {K::CheckBox, "Automatically open new email. ", kMailChkNonMapiOpen, Rect::FromXYWH(28, 240, 300, 18)},
  };
  struct Row {
    int button, label;
    const char *caption, *text;
  };
  const Row rows[] = {{kMailBtnHelp, kMailLabel1, "&Help", "Click for detailed assistance from the help file."},
                      {kMailBtnWeb, kMailLabel2, "&Web", "Click for latest information about MAPI compatibility."},
                      {kMailBtnEmail, kMailLabel3, "&Email", "Click if you have tips or corrections to share."}};
  int y = 270;
  for (const Row& r : rows) {
    c.push_back({K::PushButton, r.caption, r.button, Rect::FromXYWH(8, y, 75, 23)});
    c.push_back({K::Label, r.text, r.label, Rect::FromXYWH(92, y + 4, 292, 18)});
    y += 30;
  }
  c.push_back({K::Rule, "", 0, Rect::FromXYWH(8, 364, 376, 2)});
  c.push_back({K::DefaultButton, "&OK", kMailOk, Rect::FromXYWH(146, 376, 75, 25)});
  c.push_back({K::PushButton, "&Send", kMailBtnSend, Rect::FromXYWH(227, 376, 75, 25)});
  c.push_back({K::PushButton, "&Cancel", kMailCancel, Rect::FromXYWH(308, 376, 75, 25)});
  return c;
}

}  // namespace flk
