// The tips window's frame and page layout; see tips_frame.h.
#include "tips/tips_frame.h"

#include <algorithm>

#include "tips/tips_book.h"

namespace flk {

namespace {

constexpr int kBottomHeight = 25, kOutsideBorder = 10, kMiddleBorder = 2, kButtonW = 57, kButtonH = 41;
constexpr int kPositionWidth = 60, kMargin = 8;

constexpr TipsToolButton kToolButtons[] = {{kTipsNextId, "&Next"},     {0, ""}, {kTipsPrevId, "&Previous"}, {0, ""},
                                           {kTipsHomeId, "&Contents"}, {0, ""}, {kTipsCloseId, "C&lose"}};

}  // namespace

std::span<const TipsToolButton> TipsToolButtons() { return kToolButtons; }

TipsFrameLayout LayOutTipsFrame(Size client, DpiScale px) {
  TipsFrameLayout l;
  const int W = client.width, H = client.height, bottom = px(kBottomHeight);
  l.bottomPanel = Rect{0, H - bottom, W, H};
  l.switchOff = Rect::FromXYWH(px(6), H - bottom + px(4), px(220), bottom - px(8));
  l.position = Rect::FromXYWH(W - px(kPositionWidth) - px(4), H - bottom + px(2), px(kPositionWidth), bottom - px(4));
  // pnlOutside's border, then ToolBar1 at the right of pnlMiddle.
  const int o = px(kOutsideBorder), bw = px(kButtonW), bh = px(kButtonH);
  const Rect middle{o, o, W - o - bw - px(4), H - bottom - o};
  const bool spacers = middle.height() > 7 * bh;
  int y = o;
  for (int i = 0; i < 7; ++i) {
    l.shown[i] = i % 2 == 0 || spacers;
    if (!l.shown[i]) continue;
    l.buttons[i] = Rect::FromXYWH(middle.right + px(4), y, bw, bh);
    y += bh;
  }
  // pnlMiddle's single border of width 2, then the white pnlInside holding the page control.
  const int m = px(kMiddleBorder) + 1;
  l.tabs = Rect{middle.left + m, middle.top + m, middle.right - m, middle.bottom - m};
  return l;
}

TipPageLayout LayOutTipPage(int page, DpiScale px, const TipTextHeight& height) {
  TipPageLayout l;
  const TipPage& p = TipPageAt(page);
  const int x = px(kMargin), w = px(kTipsPanelWidth);
  int y = px(kMargin);
  auto add = [&](TipItemKind kind, int id, std::string text, Rect r, TipFont font) {
    l.items.push_back(TipItem{kind, id, std::move(text), r, font});
  };
  const int titleH = height(p.title, TipFont::Title, w);
  add(TipItemKind::Label, kTipTitleId, PlainCaption(p.title), Rect::FromXYWH(x, y, w, titleH), TipFont::Title);
  y += titleH + px(6);

  if (page == GoToTipPage("Features")) {
    // Seven labels at the left; the heading and description follow the mouse.
    const int labelsY = y, lineH = px(20);
    for (const TipFeature& f : TipFeatures()) {
      add(TipItemKind::Link, kTipFeatureBaseId + f.tag, PlainCaption(f.label), Rect::FromXYWH(x, y, px(120), lineH),
          TipFont::Link);
      y += lineH;
    }
    const int right = x + px(130), rightW = w - px(130);
    add(TipItemKind::ReadOnly, kTipFeatureHeadingId, kFeaturesHint, Rect::FromXYWH(right, labelsY, rightW, px(20)),
        TipFont::Heading);
    const int ry = labelsY + px(22);
    add(TipItemKind::ReadOnly, kTipFeatureTextId, "", Rect::FromXYWH(right, ry, rightW, px(90)), TipFont::Text);
    add(TipItemKind::Picture, kTipPictureId, "", Rect::FromXYWH(right, ry, px(48), px(48)), TipFont::Text);
    y = std::max(y, ry + px(90));
  } else if (*p.text) {
    const int h = height(p.text, TipFont::Text, w - px(4)) + px(4);
    add(TipItemKind::ReadOnly, kTipTextId, p.text, Rect::FromXYWH(x, y, w, h), TipFont::Text);
    y += h;
  }

  auto link = [&](int id, const char* text) {
    y += px(6);
    const int h = height(text, TipFont::Link, w) + px(2);
    add(TipItemKind::Link, id, text, Rect::FromXYWH(x, y, w, h), TipFont::Link);
    y += h;
  };
  if (page == GoToTipPage("My First Capture")) link(kTipCameraLinkId, kTutorialCameraLink);
  if (page == GoToTipPage("Room For More")) link(kTipSuggestionId, kTipsSuggestionLink);

  const int items = int(TipLinks(p.list).size());
  if (items > 0) {
    y += px(8);
    l.listItemHeight = height("A", TipFont::Link, w) + px(3);
    const int h = l.listItemHeight * items + px(2);
    add(TipItemKind::LinkList, kTipListId, "", Rect::FromXYWH(x, y, w, h), TipFont::Link);
    y += h;
  }

  if (*p.seeAlso) {
    y += px(10);
    const int h = height("See also:", TipFont::Link, w) + px(2);
    add(TipItemKind::Label, 0, "See also:", Rect::FromXYWH(x, y, px(70), h), TipFont::Text);
    add(TipItemKind::Link, kTipLabelId, p.seeAlso, Rect::FromXYWH(x + px(70), y, w - px(70), h), TipFont::Link);
    y += h;
  }
  l.contentHeight = y + px(kMargin);
  return l;
}

std::string PlainCaption(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    out += caption[i];
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  return out;
}

TipPress TipListPress(int page, int selection) {
  auto items = TipLinks(TipPageAt(page).list);
  if (selection < 0 || size_t(selection) >= items.size()) return {};
  return {TipPress::GoTo, items[size_t(selection)]};
}

int FeatureTagOf(int id) { return id > kTipFeatureBaseId && id <= kTipFeatureBaseId + 7 ? id - kTipFeatureBaseId : 0; }

TipPress TipControlPress(int page, int id) {
  if (id == kTipCameraLinkId) return {TipPress::Camera, {}};
  if (id == kTipSuggestionId) return {TipPress::Suggestion, {}};
  if (id == kTipLabelId) return {TipPress::GoTo, TipPageAt(page).seeAlso};
  if (int tag = FeatureTagOf(id)) {
    const TipFeature& f = TipFeatures()[size_t(tag - 1)];
    if (*f.jump) return {TipPress::GoTo, f.jump};
  }
  return {};
}

ScrollSteps TipScrollSteps(const ScrollBarState& bar, int line, int content) {
  return ScrollSteps{line, bar.page, std::max(0, content - bar.page)};
}

}  // namespace flk
