#include "shell/common_services.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/strings.h"

namespace flk {

// ---- data folder ----------------------------------------------------------

namespace {
bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string BaseFolderFromProgramPath(std::string_view programPath) {
  // The program's folder without its trailing backslash ("X\Pro")...
  size_t slash = programPath.find_last_of("\\/");
  std::string folder(slash == std::string_view::npos ? std::string_view() : programPath.substr(0, slash));
  // ...minus its last three letters leaves the parent with its backslash ("X\").
  for (int dropped = 0; dropped < 3 && !folder.empty(); ++dropped) {
    while (!folder.empty() && IsUtf8Continuation(folder.back())) folder.pop_back();
    if (!folder.empty()) folder.pop_back();
  }
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
  return folder;
}

// ---- file sizes and the status text ---------------------------------------

int64_t KiBFromBytes(uint64_t bytes) { return static_cast<int64_t>(bytes / 1024 + (bytes % 1024 ? 1 : 0)); }

int64_t FileSizeKiB(const std::string& fileName) {
  std::error_code ec;
  std::filesystem::path path(std::u8string(fileName.begin(), fileName.end()));
  if (!std::filesystem::is_regular_file(path, ec)) return 0;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return 0;
  std::streamoff size = file.tellg();
  if (size < 0) return 0;
  return KiBFromBytes(static_cast<uint64_t>(size));
}

std::string SavedTextFor(const std::string& fileName, int64_t kib) {
  return "Saved to " + fileName + "    " + std::to_string(kib) + " KiB";
}

std::string SavedText(const std::string& fileName) { return SavedTextFor(fileName, FileSizeKiB(fileName)); }

// ---- warnings -------------------------------------------------------------

std::string ComposeWarningText(const std::string& message, uint32_t errorCode, const std::string& systemText) {
  if (errorCode == 0) return message;
  return message + "\r\n\r\nError # " + std::to_string(errorCode) + ", " + TrimLineEnd(systemText);
}

std::string FillSystemInserts(const std::string& systemText, const std::string& subject) {
  std::string out;
  for (size_t i = 0; i < systemText.size(); ++i) {
    const char c = systemText[i];
    const char next = i + 1 < systemText.size() ? systemText[i + 1] : '\0';
    if (c != '%' || !(next == '%' || (next >= '1' && next <= '9'))) {
      out += c;
      continue;
    }
    ++i;
    if (next == '%') out += '%';
    else if (next == '1') out += subject;
    // An insert may carry a printf format ("%1!d!"): it goes with it.
    if (next != '%' && i + 1 < systemText.size() && systemText[i + 1] == '!') {
      size_t end = systemText.find('!', i + 2);
      if (end != std::string::npos) i = end;
    }
  }
  return TrimLineEnd(out);
}

// ---- window description ---------------------------------------------------

std::string WindowDescriptionText(const std::string& className, const std::string& title) {
  return "ClassName=" + className + " Title=\"" + title + "\"";
}

// ---- keeping a window on screen -------------------------------------------

WindowBox KeepOnScreenBox(WindowBox box, int screenWidth, int screenHeight) {
  if (box.left + box.width > screenWidth) box.left = screenWidth - box.width;
  if (box.top + box.height > screenHeight) box.top = screenHeight - box.height - kTaskbarAllowance;
  if (box.left < 0) box.left = 0;
  if (box.top < 0) box.top = 0;
  return box;
}

WindowBox KeepOnScreenBox(WindowBox box, const MonitorTable& monitors) {
  const Rect r = Rect::FromXYWH(box.left, box.top, box.width, box.height);
  if (monitors.empty() || WhollyShown(monitors, r)) return box;
  // The rule measures from the work area's top-left.
  const Rect work = MonitorFor(monitors, r).work;
  WindowBox local{box.left - work.left, box.top - work.top, box.width, box.height};
  WindowBox kept = KeepOnScreenBox(local, work.width(), work.height());
  return WindowBox{kept.left + work.left, kept.top + work.top, kept.width, kept.height};
}

// ---- trace lines ----------------------------------------------------------

namespace {
TraceSink g_traceSink;
}

void SetTraceSink(TraceSink sink) { g_traceSink = std::move(sink); }
const TraceSink& CurrentTraceSink() { return g_traceSink; }

namespace trace_detail {
void Append(std::string& line, bool v) { line += v ? 'T' : 'F'; }
void Append(std::string& line, char v) { line += v; }
void Append(std::string& line, long long v) { line += std::to_string(v); }
void Append(std::string& line, unsigned long long v) { line += std::to_string(v); }
void Append(std::string& line, double v) {
  // Fifteen significant digits, as a double's default text form has.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  line += buf;
}
void Append(std::string& line, std::string_view v) { line += v; }
void Append(std::string& line, const TraceClass& v) { line += v.name; }
}  // namespace trace_detail

// ---- thick 3-D frame ------------------------------------------------------

namespace {
void AddRing(std::vector<FrameOp>& ops, int i, int R, int B, FrameColour topLeft, FrameColour bottomRight) {
  // Up the left side and along the top in the top-left colour...
  ops.push_back({FrameOp::Line, i, B - i, i, i, topLeft});
  ops.push_back({FrameOp::Line, i, i, R - i, i, topLeft});
  // ...then down the right side and back along the bottom.
  ops.push_back({FrameOp::Line, R - i, i, R - i, B - i, bottomRight});
  ops.push_back({FrameOp::Line, R - i, B - i, i, B - i, bottomRight});
}
}  // namespace

std::vector<FrameOp> ThickFrameOps(bool raised, int right, int thickness, int bottom) {
  const int R = right - 1, B = bottom - 1;
  std::vector<FrameOp> ops;
  if (raised) {
    for (int i = 0; i <= 1; ++i) AddRing(ops, i, R, B, FrameColour::Light3D, FrameColour::Black);
    for (int i = 2; i <= thickness - 2; ++i) AddRing(ops, i, R, B, FrameColour::White, FrameColour::Shadow);
    ops.push_back(
        {FrameOp::Outline, thickness - 1, thickness - 1, R - thickness + 2, B - thickness + 2, FrameColour::Face});
  } else {
    ops.push_back({FrameOp::Outline, 0, 0, R + 1, B + 1, FrameColour::Face});
    for (int i = 1; i <= thickness - 3; ++i) AddRing(ops, i, R, B, FrameColour::Shadow, FrameColour::White);
    for (int i = std::max(thickness - 2, 0); i <= thickness - 1; ++i)
      AddRing(ops, i, R, B, FrameColour::Black, FrameColour::Light3D);
  }
  return ops;
}

// ---- graphic-button hover watch -------------------------------------------

HoverWatch::Timer HoverWatch::Enter(HoverTarget* button, int cursorX, int cursorY, int offsetX, int offsetY, int width,
                                    int height) {
  if (!button || button == button_) return Timer::Keep;
  if (button_) {
    HoverTarget* old = button_;
    button_ = nullptr;
    old->MouseLeft();
  }
  rect_.left = cursorX - offsetX;
  rect_.top = cursorY - offsetY;
  rect_.right = rect_.left + width;
  rect_.bottom = rect_.top + height;
  button_ = button;
  return Timer::Start;
}

HoverWatch::Timer HoverWatch::Poll(int cursorX, int cursorY) {
  if (!button_) return Timer::Stop;
  bool inside = cursorX >= rect_.left && cursorX <= rect_.right && cursorY >= rect_.top && cursorY <= rect_.bottom;
  if (inside) return Timer::Keep;
  HoverTarget* old = button_;
  button_ = nullptr;
  old->MouseLeft();
  return Timer::Stop;
}

HoverWatch::Timer HoverWatch::Forget(HoverTarget* button) {
  if (!button_ || button_ != button) return Timer::Keep;
  button_ = nullptr;
  return Timer::Stop;
}

}  // namespace flk
