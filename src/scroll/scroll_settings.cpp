#include "scroll/scroll_settings.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "shell/startup_settings.h"

namespace flk {

namespace {

// The first item whose bound the value passes (`reaches`: v >= bound, else
// v <= bound); past every bound, the item after the last.
template <size_t n>
int ItemOfBounds(long long v, const long long (&bounds)[n], bool reaches) {
  for (size_t i = 0; i < n; ++i)
    if (reaches ? v >= bounds[i] : v <= bounds[i]) return int(i);
  return int(n);
}

}  // namespace

int WaitItemFor(int v) {
  static constexpr long long kLeast[] = {801, 601, 401, 201, 101, 51, 21};  // ms, slowest first
  return ItemOfBounds(v, kLeast, true);
}

int StepItemFor(int stepSize) {
  static constexpr long long kMost[] = {1, 4, 9, 19, 39};  // lines; the stored word is 16 bits
  return ItemOfBounds(uint16_t(stepSize), kMost, false);
}

int SizeItemFor(int v) {
  // Just under each of 4, 8, 16, 32 and 64 MB.
  static constexpr long long kMost[] = {(1 << 22) - 1, (1 << 23) - 1, (1 << 24) - 1, (1 << 25) - 1, (1 << 26) - 1};
  return ItemOfBounds(v, kMost, false);
}

int SizeValueOf(int item) { return 1 << (21 + item); }

SettingsControls LoadTab(const ScrollParams& p, bool scrollTab) {
  SettingsControls c;
  c.lblTop = scrollTab ? kScrollTabText : kRoboTabText;
  c.rdoSize = SizeItemFor(p.fileLimit);
  c.rdoWait = WaitItemFor(p.interval);
  c.rdoStep = StepItemFor(p.stepSize);
  c.chkMessage = !p.doVScroll;
  c.chkSrchVScroll = p.srchVScroll;
  c.chkIndex = p.doIndex;
  c.editIndexColEnabled = p.doIndex;
  c.editIndexCol = std::to_string(p.indexLt);
  c.editRtMargin = std::to_string(p.rtMargin);
  c.editScanTp = std::to_string(p.scanTp);
  c.editScanLt = std::to_string(p.scanLt);
  c.editScanRt = std::to_string(p.scanRt);
  c.editScanBt = std::to_string(p.scanBt);
  return c;
}

std::optional<int> ParseDecimal(const std::string& text) {
  size_t a = text.find_first_not_of(" \t"), b = text.find_last_not_of(" \t");
  if (a == std::string::npos) return std::nullopt;
  std::string t = text.substr(a, b - a + 1);
  size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i == t.size()) return std::nullopt;
  for (size_t k = i; k < t.size(); ++k)
    if (t[k] < '0' || t[k] > '9') return std::nullopt;
  errno = 0;
  long long v = std::strtoll(t.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
  return int(v);
}

std::optional<StoreError> StoreTab(const SettingsControls& c, ScrollParams& p) {
  p.doVScroll = !c.chkMessage;
  p.srchVScroll = c.chkSrchVScroll;
  p.doIndex = c.chkIndex;
  if (c.rdoWait >= 0 && c.rdoWait < int(kWaitValues.size())) p.interval = kWaitValues[size_t(c.rdoWait)];
  if (c.rdoStep >= 0 && c.rdoStep < int(kStepValues.size())) p.stepSize = kStepValues[size_t(c.rdoStep)];
  if (c.rdoSize >= 0 && c.rdoSize < int(kSizeItems.size())) p.fileLimit = SizeValueOf(c.rdoSize);
  const std::string* edits[] = {&c.editIndexCol, &c.editScanLt, &c.editScanTp,
                                &c.editScanRt,   &c.editScanBt, &c.editRtMargin};
  int* values[] = {&p.indexLt, &p.scanLt, &p.scanTp, &p.scanRt, &p.scanBt, &p.rtMargin};
  for (int i = 0; i < 6; ++i) {
    std::optional<int> v = ParseDecimal(*edits[i]);
    if (!v) return StoreError{"'" + *edits[i] + "' is not a valid integer value", i};
    *values[i] = *v;
  }
  return std::nullopt;
}

SettingsControls ScrollSettingsDialog::Restore() {
  current() = ResetScrollDefaults(scrollTab_);
  return Load();
}

}  // namespace flk
