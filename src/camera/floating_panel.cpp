// The floating control panel; see floating_panel.h.
#include "camera/floating_panel.h"

#include "camera/camera_layout.h"

namespace flk {

namespace {

constexpr ToolButton kLabelOrder[] = {
    ToolButton::Print, ToolButton::PrintFit, ToolButton::Save,   ToolButton::IncSave,
    ToolButton::Copy,  ToolButton::Edit,     ToolButton::Email,  ToolButton::Sticky,
    ToolButton::Store, ToolButton::Recall,   ToolButton::Lock,
};
constexpr int kLabelLeft = 7;  // first label's distance from the panel's left
constexpr int kLabelGap = 9;   // space after each label

}  // namespace

FloatingPanelLayout LayoutFloatingPanel(int panelWidth, int panelHeight, const bool (&visible)[kToolButtonCount],
                                        const TextWidthFn& textWidth) {
  FloatingPanelLayout l;
  l.width = panelWidth;
  l.height = panelHeight;
  const int cw = textWidth(kFloatingCaption);
  l.captionWidth = kFloatingGlyphWidth + cw + 8 < panelWidth ? cw : 0;

  int cursor = kLabelLeft;
  bool allFit = true;
  for (ToolButton b : kLabelOrder) {
    if (!visible[static_cast<int>(b)] || !allFit) continue;
    const int w = textWidth(ToolButtonOf(b).caption);
    if (cursor + w < panelWidth) {
      l.labels.push_back({b, cursor, cursor + w + kLabelGap});
      cursor += w + kLabelGap;
    } else {
      allFit = false;
    }
  }
  if (!allFit) {
    const int w = textWidth(ToolButtonOf(ToolButton::More).caption);
    if (cursor + w < panelWidth) {
      l.labels.push_back({ToolButton::More, cursor, cursor + w + kLabelGap});
    } else if (!l.labels.empty()) {
      // "More" takes the last label's place so that every command stays reachable.
      FloatingLabel& last = l.labels.back();
      last = {ToolButton::More, last.start, last.start + w + kLabelGap};
    }
  }
  return l;
}

FloatingPanelPaint PaintFloatingPanel(const FloatingPanelLayout& layout, int x0, int y0, int textHeightA,
                                      bool maximized) {
  FloatingPanelPaint p;
  p.frame = Rect{x0, y0, x0 + layout.width, y0 + layout.height};
  if (layout.captionWidth > 0) p.caption = FloatingText{{x0 + 7, y0 + 2}, kFloatingCaption};
  p.glyphAt = Point{x0 + layout.width - kFloatingGlyphWidth - 4, y0 + 2};
  p.maximizedGlyph = maximized;
  const int line = y0 + 2 + textHeightA;
  for (const FloatingLabel& l : layout.labels) p.labels.push_back({{x0 + l.start, line}, ToolButtonOf(l.button).caption});
  return p;
}

int FloatingHitTest(const FloatingPanelLayout& layout, bool floating, Point p) {
  if (!floating) return kFloatNothing;
  const int w = layout.width, h = layout.height;
  if (!(p.y > kFloatInset && p.y < kFloatInset + h && p.x > kFloatInset && p.x < kFloatInset + w)) return kFloatNothing;
  const int x = p.x - kFloatInset, y = p.y - kFloatInset;
  if (y < h / 2) {
    const int r = w - x;
    if (r < 20) return kFloatClose;
    if (r < 40) return kFloatMaximize;
    if (r < 56) return kFloatMinimize;
    if (x > layout.captionWidth + 10) return kFloatInert;
    return kFloatCaption;
  }
  for (size_t i = 0; i < layout.labels.size(); ++i)
    if (x < layout.labels[i].next - 4) return static_cast<int>(i) + 1;
  return kFloatBeyondLabels;
}

bool FloatingItemActive(const FloatingPanelLayout& layout, int item) {
  if (item > 0) return item <= static_cast<int>(layout.labels.size());
  return item == kFloatClose || item == kFloatMaximize || item == kFloatMinimize || item == kFloatCaption;
}

std::optional<Rect> FloatingItemRect(const FloatingPanelLayout& layout, int item) {
  if (!FloatingItemActive(layout, item)) return std::nullopt;
  const int w = layout.width, h = layout.height;
  Rect r;
  if (item > 0) {
    const FloatingLabel& l = layout.labels[item - 1];
    r = Rect{l.start - 4, h / 2, l.next - 4, h - 4};
  } else if (item == kFloatCaption) {
    r = Rect{3, 3, layout.captionWidth + 11, h / 2};
  } else if (item == kFloatMinimize) {
    r = Rect{w - 56, 3, w - 38, h / 2 - 4};
  } else if (item == kFloatMaximize) {
    r = Rect{w - 40, 3, w - 20, h / 2 - 4};
  } else {
    r = Rect{w - 22, 3, w - 3, h / 2 - 4};
  }
  return r.offset(kFloatInset, kFloatInset);
}

// ---- input ------------------------------------------------------------------

void FloatingPanelInput::SetLayout(const FloatingPanelLayout& layout, bool floating) {
  layout_ = layout;
  floating_ = floating;
  hover_ = kFloatNothing;
  // A label table that changed under a pressed item makes the press void.
  if (!FloatingItemActive(layout_, pressed_) || !floating_) pressed_ = kFloatNothing;
}

PanelReaction FloatingPanelInput::Hover(Point p) {
  PanelReaction r;
  const int item = FloatingHitTest(layout_, floating_, p);
  const bool active = FloatingItemActive(layout_, item);
  if (item != hover_) {
    if (hover_ != kFloatNothing)
      if (auto old = FloatingItemRect(layout_, hover_)) r.paints.push_back({PanelPaintOp::HoverOff, *old});
    hover_ = kFloatNothing;
    if (active) {
      r.paints.push_back({PanelPaintOp::HoverOn, *FloatingItemRect(layout_, item)});
      hover_ = item;
    }
  }
  if (hover_ != kFloatNothing && !timer_) {
    timer_ = true;
    r.timer = TimerChange::Start;
  } else if (hover_ == kFloatNothing && timer_) {
    timer_ = false;
    r.timer = TimerChange::Stop;
  }
  r.handled = active;
  r.arrowCursor = active;
  return r;
}

PanelReaction FloatingPanelInput::MouseMove(Point p, bool buttonDown) {
  if (!buttonDown) return Hover(p);
  PanelReaction r;
  if (pressed_ == kFloatNothing) return r;  // a move drag, not ours
  r.handled = true;
  if (FloatingHitTest(layout_, floating_, p) != pressed_) {
    // Leaving the pressed item releases it without action.
    if (auto rect = FloatingItemRect(layout_, pressed_)) r.paints.push_back({PanelPaintOp::PressOff, *rect});
    pressed_ = kFloatNothing;
  }
  return r;
}

PanelReaction FloatingPanelInput::Tick(Point cursor) {
  PanelReaction r = Hover(cursor);
  r.arrowCursor = false;
  return r;
}

PanelReaction FloatingPanelInput::LeftDown(Point p) {
  PanelReaction r;
  const int item = FloatingHitTest(layout_, floating_, p);
  if (!FloatingItemActive(layout_, item)) return r;  // a move starts
  pressed_ = item;
  r.handled = true;
  r.paints.push_back({PanelPaintOp::PressOn, *FloatingItemRect(layout_, item)});
  return r;
}

void FloatingPanelInput::CommandOf(int item, PanelReaction& r) const {
  if (item > 0) {
    const ToolButton b = layout_.labels[item - 1].button;
    if (b == ToolButton::More) {
      r.command = PanelCommand::PopupMore;
    } else if (b == ToolButton::Store) {
      r.command = PanelCommand::StoreDropDown;
    } else {
      r.command = PanelCommand::ClickButton;
    }
    r.button = b;
    return;
  }
  switch (item) {
    case kFloatCaption: r.command = PanelCommand::TopPanel; break;
    case kFloatMinimize: r.command = PanelCommand::Minimize; break;
    case kFloatMaximize: r.command = PanelCommand::Maximize; break;
    case kFloatClose: r.command = PanelCommand::Close; break;
    default: break;
  }
}

PanelReaction FloatingPanelInput::LeftUp(Point p) {
  PanelReaction r;
  if (pressed_ == kFloatNothing) return r;
  r.handled = true;
  const int item = pressed_;
  pressed_ = kFloatNothing;
  if (auto rect = FloatingItemRect(layout_, item)) r.paints.push_back({PanelPaintOp::PressOff, *rect});
  if (FloatingHitTest(layout_, floating_, p) == item) CommandOf(item, r);
  return r;
}

PanelReaction FloatingPanelInput::RightDown(Point p) {
  PanelReaction r;
  const int item = FloatingHitTest(layout_, floating_, p);
  if (item > 0 || item == kFloatBeyondLabels) {
    r.handled = true;
    r.command = PanelCommand::Customise;
  }
  return r;
}

PanelAction PanelActionOf(PanelCommand command, ToolButton button, CameraModes modes) {
  using K = PanelAction::Kind;
  switch (command) {
    case PanelCommand::None: return {};
    case PanelCommand::ClickButton: {
      const CommandId id = ToolButtonOf(button).command;
      return CommandEnabled(id, modes) ? PanelAction{K::Run, id} : PanelAction{};
    }
    case PanelCommand::PopupMore: return {K::ViewPopup};
    case PanelCommand::StoreDropDown: return {K::Run, CommandId::StoreMenu};
    case PanelCommand::TopPanel: return {K::Run, CommandId::ControlsTop};
    case PanelCommand::Minimize: return {K::Run, CommandId::CloseToTray};
    case PanelCommand::Maximize: return {K::Run, CommandId::Maximize};
    case PanelCommand::Close: return {K::CloseButton};
    case PanelCommand::Customise: return {K::Run, CommandId::GeneralSettings};
  }
  return {};
}

}  // namespace flk
