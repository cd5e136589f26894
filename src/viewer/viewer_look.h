// What of the recall viewer's window is shown: the tool bar's icons and
// captions, the memo, the status bar and each of the sixteen tool bar buttons.
// The viewer reads it from and writes it to the settings; the options dialog
// turns single parts over and hands it back.
#pragma once

#include <array>
#include <cstddef>

namespace flk {

// The tool bar's buttons, left to right; the options dialog lists them in
// this order too.
enum class ViewerButton {
  Camera, Paste, Save, SaveInc, Print, PrintFit, Copy, Edit, Email, Sticky,
  Delete, Invert, Crop, Mirror, Flip, Prop,
};
inline constexpr std::size_t kViewerButtonCount = 16;

struct ViewerLook {
  bool toolImages = true;  // icons on the tool bars
  bool toolText = true;    // captions on the tool bars
  bool memo = true;        // memo panel and its splitter
  bool status = true;      // status bar
  std::array<bool, kViewerButtonCount> buttons{true, true, true, true, true, true, true, true,
                                               true, true, true, true, true, true, true, true};

  bool Shows(ViewerButton b) const { return buttons[static_cast<std::size_t>(b)]; }
  // The tool bar is hidden with neither icons nor captions; the button
  // choice means nothing then.
  bool ToolBarShown() const { return toolImages || toolText; }
  friend bool operator==(const ViewerLook&, const ViewerLook&) = default;
};

}  // namespace flk
