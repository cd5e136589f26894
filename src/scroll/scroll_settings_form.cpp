// The fine tuning's table; see scroll_settings_form.h.
#include "scroll/scroll_settings_form.h"

#include "scroll/scroll_settings.h"

namespace flk {

namespace {

constexpr char kMemoText[] =
    "Go ahead and change these settings -- it won't hurt the computer. But\r\n"
    "they're here mostly so tech support can fix any incompatibilities you find.";

}  // namespace

std::vector<FormControl> ScrollSettingsControls() {
  using K = FormControl;
  std::vector<FormControl> c;
  auto add = [&](K::Kind kind, const char* text, int id, int x, int y, int w, int h, bool startsGroup = false) {
    c.push_back({kind, text, id, Rect::FromXYWH(x, y, w, h), startsGroup});
  };
  // Two columns of radio buttons, the first starting its group.
  auto radios = [&](int firstId, const char* const* items, int count, int x, int y, int colWidth) {
    const int rows = (count + 1) / 2;
    for (int i = 0; i < count; ++i)
      add(K::RadioButton, items[i], firstId + i, x + (i / rows) * colWidth, y + (i % rows) * 20, colWidth - 4, 18,
          i == 0);
  };
  add(K::CentredLabel, "", kIdLblTop, 12, 34, 490, 18);
  add(K::CentredLabel, kMemoText, kIdMemo1, 12, 54, 490, 32);
  add(K::GroupBox, "Image size limit", 0, 14, 92, 150, 88);
  radios(kIdRdoSize, kSizeItems.data(), int(kSizeItems.size()), 22, 110, 70);
  add(K::GroupBox, "Wait", 0, 172, 92, 170, 108);
  radios(kIdRdoWait, kWaitItems.data(), int(kWaitItems.size()), 180, 110, 80);
  add(K::GroupBox, "Step size", 0, 350, 92, 150, 88);
  radios(kIdRdoStep, kStepItems.data(), int(kStepItems.size()), 358, 110, 70);
  // The letters tech support names on the telephone, each with what it is.
  add(K::CheckBox, kCaptionA, kIdChkMessage, 22, 208, 250, 20, true);
  add(K::CheckBox, kCaptionB, kIdChkSrchVScroll, 22, 232, 250, 20);
  add(K::GroupBox, kCaptionC, 0, 14, 258, 150, 58);
  add(K::CheckBox, "", kIdChkIndex, 24, 282, 20, 20);
  add(K::EditBox, "", kIdEditIndexCol, 56, 280, 60, 22);
  add(K::GroupBox, kCaptionD, 0, 172, 258, 108, 58);
  add(K::EditBox, "", kIdEditRtMargin, 190, 280, 60, 22);
  add(K::GroupBox, kCaptionE, 0, 286, 206, 214, 110);
  add(K::EditBox, "", kIdEditScanTp, 362, 224, 56, 22);
  add(K::EditBox, "", kIdEditScanLt, 292, 254, 56, 22);
  add(K::EditBox, "", kIdEditScanRt, 434, 254, 56, 22);
  add(K::EditBox, "", kIdEditScanBt, 362, 284, 56, 22);
  add(K::PushButton, "&Restore defaults", kIdBtnRestore, 10, 348, 130, 26);
  add(K::DefaultButton, "&OK", kScrollSettingsOk, 336, 348, 80, 26);
  add(K::PushButton, "&Cancel", kScrollSettingsCancel, 424, 348, 80, 26);
  return c;
}

}  // namespace flk
