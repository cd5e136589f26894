#include "tips/tips_book.h"

#include <string>
#include <vector>

namespace flk {

namespace {

constexpr const char* kContentsLinks[] = {"My First Screen Capture  --  Tutorial", "More Tutorial", "Features", "Tools",
                                          "Tips", "This Version"};
constexpr const char* kToolsLinks[] = {"Store & Recall",   "Save & Save+1",  "Print & PrintFit",   "Copy & Paste",
                                       "Editor",           "Email",          "Sticky Note",        "Hold On Top",
                                       "Edge To Edge",     "Full Screen",    "Window Capture",     "Robo Capture",
                                       "Scroll Capture",   "Email Attachment", "Invert, Mirror, Flip, Property"};

// The "Tips" list: every tip page's caption from "Grab Zones" to "Email Hollowbrook".
const std::vector<const char*>& TipsLinks() {
  static const std::vector<const char*> links = [] {
    std::vector<const char*> v;
    int first = GoToTipPage("Grab Zones"), last = GoToTipPage("Email Hollowbrook");
    for (int i = first; i >= 0 && i <= last; ++i) v.push_back(TipPageAt(i).caption);
    return v;
  }();
  return links;
}

}  // namespace

int ThisVersionIndex() { return TipPageCount() - 1; }

int NextTipIndex(int active, bool forward) {
  int n = TipPageCount();
  int i = active;
  do {
    i += forward ? 1 : -1;
    if (i >= n) i = 0;
    if (i < 0) i = n - 1;
  } while (i == ThisVersionIndex());
  return i;
}

int GoToTipPage(std::string_view text) {
  for (int i = 0; i < TipPageCount(); ++i) {
    const TipPage& p = TipPageAt(i);
    if (text == p.caption || (*p.linkName && text == p.linkName)) return i;
  }
  return -1;
}

std::string TipPositionText(int active) {
  return std::to_string(active + 1) + " of " + std::to_string(TipPageCount());
}

TipsStart TipsStartOf(int nextTip) {
  if (nextTip == -1) return {0, true};
  // A stored index that no page has (an older, longer book) opens the contents.
  if (nextTip < 0 || nextTip >= TipPageCount()) return {0, false};
  return {nextTip, false};
}

int NextTipAtClose(int shownPage, bool switchedOff) { return switchedOff ? -1 : NextTipIndex(shownPage, true); }

std::span<const char* const> TipLinks(TipLinkList list) {
  switch (list) {
    case TipLinkList::Contents: return kContentsLinks;
    case TipLinkList::Tools: return kToolsLinks;
    case TipLinkList::Tips: return TipsLinks();
    case TipLinkList::None: break;
  }
  return {};
}

}  // namespace flk
