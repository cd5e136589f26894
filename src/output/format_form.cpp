// The format chooser's table; see format_form.h.
#include "output/format_form.h"

namespace flk {

namespace {

struct Row {
  int radio, label;
  const char* caption;
  const char* text;
};
constexpr Row kRows[] = {
    {kRadioGif, kLabel4, "&GIF", "Most common; produces exact copies, except for limited color, small files."},
    {kRadioJpg, kLabel1, "&JPG", "Best for photographs; produces near perfect copies, full color, small files."},
    {kRadioPng, kLabel2, "&PNG", "Best for non-photos, exact copies, full color, smallest files, new standard."},
    {kRadioBmp, kLabel3, "&BMP", " Windows OS only, exact copies, full color, large uncompressed files."},
};

}  // namespace

std::vector<FormControl> FormatFormControls(const FormatFormShape& shape) {
  using K = FormControl;
  std::vector<FormControl> c;
  c.push_back({K::Label, "Format pros && cons", kLabel5, Rect::FromXYWH(8, 6, 250, 18)});
  int y = 30;
  for (const Row& row : kRows) {
    c.push_back({K::RadioButton, row.caption, row.radio, Rect::FromXYWH(8, y, 52, 18), row.radio == kRadioGif});
    c.push_back({K::ChoiceText, row.text, row.label, Rect::FromXYWH(64, y + 1, 194, shape.rowStep - 7)});
    y += shape.rowStep;
  }
  const int b = shape.buttonsTop;
  if (shape.nsaBox) {
    c.push_back({K::Rule, "", kBevel1, Rect::FromXYWH(8, b - 27, 250, 2)});
    c.push_back({K::CheckBox, "Don't show this message again.", kChkNsa, Rect::FromXYWH(8, b - 21, 250, 18), true});
  } else {
    c.push_back({K::Rule, "", kBevel1, Rect::FromXYWH(8, b - 6, 250, 2)});
  }
  if (shape.setupButton) {
    c.push_back({K::DefaultButton, "&OK", kFormatFormOk, Rect::FromXYWH(17, b, 75, 23), true});
    c.push_back({K::PushButton, "&Setup", kBtnTrouble, Rect::FromXYWH(100, b, 75, 23)});
  } else {
    c.push_back({K::DefaultButton, "&OK", kFormatFormOk, Rect::FromXYWH(100, b, 75, 23), true});
  }
  c.push_back({K::PushButton, "&Cancel", kFormatFormCancel, Rect::FromXYWH(183, b, 75, 23)});
  return c;
}

int RadioOfDescription(int labelId) {
  for (const Row& row : kRows)
    if (row.label == labelId) return row.radio;
  return 0;
}

}  // namespace flk
