// The viewer options dialog's rules; see viewer_options.h.
#include "viewer/viewer_options.h"

#include <algorithm>

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

ViewerOptionsForm ViewerOptionsLayout() {
  const int panelsHigh = kPanelRowCount * kOptionsRowHeight, buttonsHigh = kButtonRowsPerColumn * kOptionsRowHeight;
  return ViewerOptionsForm{
      .panelsGroup = {FormControl::GroupBox, kPanelsGroupCaption, kOptionsPanelsGroup,
                      Rect::FromXYWH(8, 8, 124, 28 + panelsHigh)},
      .panels = Rect::FromXYWH(11, 24, 118, panelsHigh),
      .buttonsGroup = {FormControl::GroupBox, kButtonsGroupCaption, kOptionsButtonsGroup,
                       Rect::FromXYWH(144, 8, 150, 28 + buttonsHigh)},
      .buttons = Rect::FromXYWH(147, 24, 144, buttonsHigh),
      .ok = {FormControl::DefaultButton, "OK", 1, Rect::FromXYWH(224, 164, 75, 25)},
  };
}

void ViewerOptionsModel::Apply(const ViewerLook& look) {
  look_ = look;
  if (!host_) return;
  host_->ApplyLook(look);
  look_ = host_->Look();
}

CheckListKey CheckListKeyAction(bool typed, unsigned key) {
  constexpr unsigned kSpace = 0x20, kEscape = 0x1B;  // VK_SPACE is the space character's code
  if (typed) return key == kSpace ? CheckListKey::Swallow : CheckListKey::Pass;
  if (key == kSpace) return CheckListKey::Toggle;
  if (key == kEscape) return CheckListKey::Cancel;
  return CheckListKey::Pass;
}

int CheckListColumns(int rows, int rowsPerColumn) {
  return rowsPerColumn > 0 ? (rows + rowsPerColumn - 1) / rowsPerColumn : 1;
}

CheckRowParts LayOutCheckRow(const Rect& row, int textWidth, const DpiScale& s) {
  constexpr int kBox = 13, kBoxGap = 4;
  const int box = s(kBox);
  const Rect boxRect = Rect::FromXYWH(row.left + s(2), row.top + (row.height() - box) / 2, box, box);
  const Rect text{boxRect.right + s(kBoxGap), row.top, row.right, row.bottom};
  const Rect mark{text.left - s(1), row.top, std::min(text.left + textWidth + s(2), row.right), row.bottom};
  return CheckRowParts{boxRect, text, mark};
}

}  // namespace flk
