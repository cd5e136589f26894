#include "stickies/sticky_notes.h"

#include <algorithm>
#include <charconv>

namespace flk {

StickyCheck CheckSticky(Size picture, Size screen, int sourceHeight) {
  if (screen.width <= 0 || screen.height <= 0) return StickyCheck::TooBig;
  if (double(sourceHeight) > 0.9 * double(screen.height)) return StickyCheck::SourceTooTall;
  // Single precision, as the rule was first written: ratios of exact halves stay exact.
  float hr = float(picture.height) / float(screen.height);
  float wr = float(picture.width) / float(screen.width);
  if (hr > 1.0f || wr > 1.0f || std::min(hr, wr) > 0.5f) return StickyCheck::TooBig;
  return StickyCheck::Ok;
}

StickyPlan PlanSticky(const Rect& source, Size picture, int screenHeight) {
  StickyPlan plan;
  plan.sourceTop = source.top;
  if (screenHeight - source.top - source.height() < picture.height) {
    plan.moveSource = true;
    plan.sourceTop = std::max(0, screenHeight - picture.height - source.height());
  }
  int width = picture.width + 4;
  int left = source.left + (source.width() - width) / 2;  // C++ division truncates toward zero
  plan.animation = Rect::FromXYWH(left, plan.sourceTop + source.height() + 1, width, 0);
  return plan;
}

StickyPlan PlanSticky(const Rect& source, Size picture, const Rect& screen) {
  StickyPlan plan = PlanSticky(source.offset(0, -screen.top), picture, screen.height());
  plan.sourceTop += screen.top;
  plan.animation = plan.animation.offset(0, screen.top);
  return plan;
}

void StickyAnimation::Start(int pictureHeight) {
  steps_ = kSteps;
  height_ = pictureHeight;
  waited_ = 0;
}

StickyAnimation::Tick StickyAnimation::OnTick(bool managerExists) {
  if (steps_ > 0) {
    waited_ = 0;
    --steps_;
    return {Tick::Grow, height_ - steps_ * height_ / kSteps};
  }
  if (managerExists) return {Tick::Deliver, height_};
  if (waited_ >= kWaitTicks) return {Tick::GiveUp, height_};
  ++waited_;
  return {Tick::Wait, height_};
}

std::string NoteFileName(const std::string& number, int left, int top) {
  return number + "_" + std::to_string(left) + "_" + std::to_string(top) + "_.bmp";
}

std::string NoteFileName(int number, int left, int top) { return NoteFileName(std::to_string(number), left, top); }

namespace {

std::optional<int> ToInt(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return std::nullopt;
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<NoteName> ParseNoteFileName(std::string_view name) {
  size_t a = name.find('_');
  if (a == std::string_view::npos) return std::nullopt;
  size_t b = name.find('_', a + 1);
  if (b == std::string_view::npos) return std::nullopt;
  size_t c = name.find('_', b + 1);
  if (c == std::string_view::npos) return std::nullopt;
  auto number = ToInt(name.substr(0, a));
  auto left = ToInt(name.substr(a + 1, b - a - 1));
  auto top = ToInt(name.substr(b + 1, c - b - 1));
  if (!number || !left || !top) return std::nullopt;
  return NoteName{*number, *left, *top};
}

std::string NoteNumberText(std::string_view name) { return std::string(name.substr(0, name.find('_'))); }

void StickyIds::Found(int number) { highest_ = std::max(highest_, number); }

std::string SetAsideName(const std::string& fileName, const std::function<bool(const std::string&)>& taken) {
  if (!taken(fileName)) return fileName;
  size_t dot = fileName.rfind('.');
  std::string stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot);
  for (int n = 2;; ++n) {
    std::string candidate = stem + " (" + std::to_string(n) + ")" + ext;
    if (!taken(candidate)) return candidate;
  }
}

MenuButtonPlace PlaceMenuButton(int windowWidth, int windowHeight, int buttonWidth) {
  return {windowWidth > 32 && windowHeight > 32, (windowWidth - buttonWidth) / 2, 3};
}

Point NoteMenuPosition(NoteMenuTrigger trigger, const NoteMenuInput& in) {
  switch (trigger) {
    case NoteMenuTrigger::ButtonRelease:
      return {in.window.x + in.button.x + in.mouse.x - 50, in.window.y + in.mouse.y};
    case NoteMenuTrigger::RightClick: return {in.window.x + in.mouse.x - 50, in.window.y + in.mouse.y};
    case NoteMenuTrigger::DoubleClick: return {in.cursor.x - 50, in.cursor.y};
    case NoteMenuTrigger::EnterKey: return {in.window.x + 50, in.window.y + 50};
  }
  return in.cursor;
}

}  // namespace flk
