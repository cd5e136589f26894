// The format chooser's form ("File Format Selection", and the e-mail format
// dialog built on it) as a table at 96 DPI: four formats with their pros and
// cons, then OK, (Setup,) Cancel.
#pragma once

#include <vector>

#include "base/form_controls.h"

namespace flk {

enum FormatFormId : int {
  kLabel5 = 100,  // the title, in its own font
  kRadioGif,
  kLabel4,
  kRadioJpg,
  kLabel1,
  kRadioPng,
  kLabel2,
  kRadioBmp,
  kLabel3,
  kBevel1,
  kChkNsa,
  kBtnTrouble,
};
inline constexpr int kFormatFormOk = 1, kFormatFormCancel = 2;  // the system's IDOK and IDCANCEL
inline constexpr int kFormatFormWidth = 266;

struct FormatFormShape {
  int clientHeight = 245;
  int rowStep = 40;      // between the radio buttons
  int buttonsTop = 219;  // OK, (Setup,) Cancel
  bool nsaBox = true;    // "Don't show this message again." (NsaSaveAsFormat)
  bool setupButton = false;
};

// Each description is designed as tall as its row leaves room for, so that a
// form flowed by measured text heights only moves the rows below a
// description that needs more.
std::vector<FormControl> FormatFormControls(const FormatFormShape& shape);

// The radio button a description's click selects, or 0.
int RadioOfDescription(int labelId);

}  // namespace flk
