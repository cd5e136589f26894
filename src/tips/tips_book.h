// The daily tips book of the `welcome` role: its pages in their fixed order
// (caption on the tab, optional link name, title and text), the link lists
// and link labels between pages, the "Features" page's labels, and the rules
// that move through the book: the next page either way (the page "This
// Version" is reached only through links and tabs), a page by link text, the
// "N of M" position, where a start opens and what a close stores as NextTip.
//
// Win32 side: tips_win builds one page per entry, shows the page that
// TipsStartOf names, turns Next/Previous/Contents, list and label presses into
// NextTipIndex and GoToTipPage, shows TipPositionText, and at close writes
// NextTipAtClose.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace flk {

inline constexpr char kTipsSwitchOffText[] = "Don't show daily tips any more.";
inline constexpr char kTipsSwitchedOffMessage[] = "To view tips again, click Help/Tips.";
inline constexpr int kTipsWidth = 520, kTipsHeight = 340;  // client, 96 DPI
inline constexpr int kTipsPanelWidth = 400;                // a page's text panel
inline constexpr int kTipsHelpContext = 1;

enum class TipLinkList { None, Contents, Tools, Tips };

struct TipPage {
  const char* caption;   // on the tab; "&&" stands for one "&"
  const char* linkName;  // what links may call the page besides its caption; "" when none
  const char* title;
  const char* text;      // paragraphs separated by "\r\n\r\n"
  TipLinkList list = TipLinkList::None;
  const char* seeAlso = "";  // caption of the page's link label; "" when none
};

int TipPageCount();
const TipPage& TipPageAt(int index);
// Index of "This Version", the last page.
int ThisVersionIndex();

// The next page from `active`: forward past the last goes to 0, backward
// below 0 to the last; "This Version" is stepped over.
int NextTipIndex(int active, bool forward);
// The first page whose caption or link name equals the text exactly, or -1.
int GoToTipPage(std::string_view text);
// "5 of 49".
std::string TipPositionText(int active);

// Where a start opens: NextTip -1 = tips switched off (contents, box ticked);
// an index outside the book opens the contents too.
struct TipsStart {
  int page = 0;
  bool switchedOff = false;
};
TipsStart TipsStartOf(int nextTip);
// NextTip written at close: -1 when switched off, else the page after the shown one.
int NextTipAtClose(int shownPage, bool switchedOff);

// The items of a link list, in order.
std::span<const char* const> TipLinks(TipLinkList list);

// ---- the "Features" page --------------------------------------------------------

struct TipFeature {
  int tag;                  // 1..7
  const char* label;        // as shown; "&&" stands for one "&"
  const char* heading;      // into Memo110 while the mouse is over the label
  const char* description;  // into Memo109
  const char* jump;         // page a press opens (tags 3..7), "" none
};
std::span<const TipFeature> TipFeatures();
inline constexpr char kFeaturesHint[] = "Roll mouse over items at left";

// ---- the tutorial's camera link -------------------------------------------------

inline constexpr char kTutorialCameraLink[] = "Framelark window";
// The suggestion mail's link on "Room For More".
inline constexpr char kTipsSuggestionLink[] = "Submit Suggestion";

}  // namespace flk
