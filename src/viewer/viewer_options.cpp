// The viewer options dialog's rules; see viewer_options.h.
#include "viewer/viewer_options.h"

namespace flk {

namespace {

bool* PanelField(ViewerLook& look, int row) {
  switch (static_cast<PanelRow>(row)) {
    case PanelRow::ToolbarIcons: return &look.toolImages;
    case PanelRow::ToolbarText: return &look.toolText;
    case PanelRow::ImageMemo: return &look.memo;
    case PanelRow::StatusBar: return &look.status;
  }
  return nullptr;
}

bool ButtonRow(int row) { return row >= 0 && row < static_cast<int>(kViewerButtonCount); }

}  // namespace

bool PanelChecked(const ViewerLook& look, int row) {
  ViewerLook copy = look;
  const bool* field = row >= 0 && row < kPanelRowCount ? PanelField(copy, row) : nullptr;
  return field && *field;
}

bool ButtonChecked(const ViewerLook& look, int row) {
  return ButtonRow(row) && look.buttons[static_cast<size_t>(row)];
}

ViewerLook WithPanelToggled(ViewerLook look, int row) {
  if (row >= 0 && row < kPanelRowCount) {
    bool* field = PanelField(look, row);
    *field = !*field;
  }
  return look;
}

ViewerLook WithButtonToggled(ViewerLook look, int row) {
  if (ButtonRow(row)) look.buttons[static_cast<size_t>(row)] = !look.buttons[static_cast<size_t>(row)];
  return look;
}

}  // namespace flk
