#include "viewer/viewer_settings.h"

#include "base/monitors.h"
#include "shell/startup_settings.h"

namespace flk {

namespace {
// The button switches in their stored order.
struct ButtonSetting {
  const char* name;
  ViewerButton button;
};
constexpr ButtonSetting kButtonSettings[] = {
    {"ViewerbtnPrint", ViewerButton::Print},   {"ViewerbtnPrintFit", ViewerButton::PrintFit},
    {"ViewerbtnEmail", ViewerButton::Email},   {"ViewerbtnCopy", ViewerButton::Copy},
    {"ViewerbtnSave", ViewerButton::Save},     {"ViewerbtnEdit", ViewerButton::Edit},
    {"ViewerbtnSticky", ViewerButton::Sticky}, {"ViewerbtnDelete", ViewerButton::Delete},
    {"ViewerbtnPaste", ViewerButton::Paste},   {"ViewerbtnMirror", ViewerButton::Mirror},
    {"ViewerbtnFlip", ViewerButton::Flip},     {"ViewerbtnInvert", ViewerButton::Invert},
    {"ViewerbtnCamera", ViewerButton::Camera}, {"ViewerbtnSaveInc", ViewerButton::SaveInc},
    {"ViewerbtnCrop", ViewerButton::Crop},     {"ViewerbtnProp", ViewerButton::Prop},
};
bool& Switch(ViewerLook& look, ViewerButton b) { return look.buttons[size_t(b)]; }
}  // namespace

bool ReadViewerSettings(Settings& s, ViewerSettings* out) {
  if (!s.OpenSettingsKey(kAccessRead)) return false;
  ViewerSettings v;
  v.height = ReadOrTableInt(s, "ViewerHeight");
  v.width = ReadOrTableInt(s, "ViewerWidth");
  v.top = ReadOrTableInt(s, "ViewerTop");
  v.left = ReadOrTableInt(s, "ViewerLeft");
  v.look.toolImages = ReadOrTableBool(s, "ViewerToolImages");
  v.look.toolText = ReadOrTableBool(s, "ViewerToolText");
  v.look.memo = ReadOrTableBool(s, "ViewerMemo");
  v.look.status = ReadOrTableBool(s, "ViewerStatus");
  for (const ButtonSetting& b : kButtonSettings) Switch(v.look, b.button) = ReadOrTableBool(s, b.name);
  v.thumbHeight = ReadOrTableInt(s, "ViewerThumbHeight");
  v.memoHeight = ReadOrTableInt(s, "ViewerMemoHeight");
  s.EndReadSeries();
  *out = v;
  return true;
}

bool WriteViewerSettings(Settings& s, const ViewerSettings& v) {
  if (!s.OpenSettingsKey(kAccessWrite)) return false;
  s.WriteSetting("ViewerLeft", v.left);
  s.WriteSetting("ViewerTop", v.top);
  s.WriteSetting("ViewerWidth", v.width);
  s.WriteSetting("ViewerHeight", v.height);
  s.WriteSetting("ViewerToolImages", v.look.toolImages);
  s.WriteSetting("ViewerToolText", v.look.toolText);
  s.WriteSetting("ViewerMemo", v.look.memo);
  s.WriteSetting("ViewerStatus", v.look.status);
  ViewerLook look = v.look;
  for (const ButtonSetting& b : kButtonSettings) s.WriteSetting(b.name, Switch(look, b.button));
  s.WriteSetting("ViewerThumbHeight", v.thumbHeight);
  s.WriteSetting("ViewerMemoHeight", v.memoHeight);
  s.EndWriteSeries();
  return true;
}

Rect ViewerPlacement::ToStore(const Rect& window, const Rect& normal, bool minimisedOrMaximised) const {
  return RectToStore(stored_, opened_, minimisedOrMaximised ? normal : window);
}

ViewerSettings SettingsToWrite(const Rect& place, const ViewerLook& look, int thumbHeight, int memoHeight) {
  ViewerSettings v;
  v.left = place.left;
  v.top = place.top;
  v.width = place.width();
  v.height = place.height();
  v.look = look;
  v.thumbHeight = thumbHeight;
  v.memoHeight = memoHeight;
  return v;
}

}  // namespace flk
