// The daily tips window's frame without windows: its control ids (the
// end-to-end scenarios find the controls by them), the tool bar's buttons and
// spacers, where everything goes for a client size, and the page controls'
// layout: what a page shows, where, and what a press on it asks for.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/scroll_step.h"

namespace flk {

// ---- the window -------------------------------------------------------------------

inline constexpr int kTipsNextId = 101, kTipsPrevId = 102, kTipsHomeId = 103, kTipsCloseId = 104;
inline constexpr int kTipsSwitchOffId = 110, kTipsPositionId = 111, kTipsTabsId = 112, kTipsPageId = 113;
inline constexpr int kTipsMinWidth = 360, kTipsMinHeight = 260;  // 96 DPI

struct TipsToolButton {
  int id;               // 0: a spacer (empty and disabled: room, not a button)
  const char* caption;
};
// Next, S1, Previous, S2, Contents, S3, Close, top to bottom.
std::span<const TipsToolButton> TipsToolButtons();

struct TipsFrameLayout {
  Rect switchOff, position;
  Rect buttons[7];
  bool shown[7] = {};  // the spacers show only when the bar is higher than seven buttons
  Rect tabs;           // the tab control, inside the white panel
  Rect bottomPanel;    // the lowered bevel under everything
};
TipsFrameLayout LayOutTipsFrame(Size client, DpiScale scale);

// ---- a page -------------------------------------------------------------------------

inline constexpr int kTipTitleId = 300, kTipTextId = 301, kTipListId = 302, kTipLabelId = 303;
inline constexpr int kTipCameraLinkId = 304, kTipFeatureHeadingId = 305, kTipFeatureTextId = 306;
inline constexpr int kTipPictureId = 307, kTipSuggestionId = 308, kTipFeatureBaseId = 310;  // + tag

enum class TipFont { Title, Text, Link, Heading };
enum class TipItemKind {
  Label,     // plain text
  Link,      // blue, answers presses and shows the hand
  ReadOnly,  // a multi-line read-only edit
  Picture,   // the program's big icon
  LinkList,  // the page's link list, one item a line
};
struct TipItem {
  TipItemKind kind;
  int id;  // 0: none
  std::string text;
  Rect rect;  // in the page's content, before scrolling
  TipFont font;
};
struct TipPageLayout {
  std::vector<TipItem> items;
  int listItemHeight = 0;  // of the link list, when there is one
  int contentHeight = 0;
};
// The height a text takes in a font at a width (word-wrapped; "" counts as one line).
using TipTextHeight = std::function<int(const std::string& text, TipFont font, int width)>;
// Title, text (or the feature labels with their heading, description and
// picture), the tutorial's camera link, the suggestion link, the link list and
// the "See also:" label, top to bottom.
TipPageLayout LayOutTipPage(int page, DpiScale scale, const TipTextHeight& height);

// "&&" stands for one "&" in captions shown as plain text.
std::string PlainCaption(const std::string& caption);

// What a press on a page's control asks for.
struct TipPress {
  enum Kind { None, GoTo, Camera, Suggestion } kind = None;
  std::string page;  // GoTo: the text GoToTipPage looks for
};
TipPress TipListPress(int page, int selection);
TipPress TipControlPress(int page, int id);
// The feature tag (1..7) of a control id; 0 when it is no feature label.
int FeatureTagOf(int id);

// Vertical scrolling of a page: lines of `line` pixels, pages of the bar's
// page, down to where the content's end meets the view's.
ScrollSteps TipScrollSteps(const ScrollBarState& bar, int line, int content);

}  // namespace flk
