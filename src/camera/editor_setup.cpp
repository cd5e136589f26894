#include "camera/editor_setup.h"

#include <algorithm>

#include "shell/startup_settings.h"

namespace flk {

std::string CleanEditorPath(const std::string& text, const std::string& windowsDirectory) {
  std::string p = text;
  if (p.size() >= 2 && p.front() == '"' && p.back() == '"') p = p.substr(1, p.size() - 2);
  return ExpandSystemRoot(p, windowsDirectory);
}

EditorSetupDecision EditorSetupOk(const std::string& text, const std::string& windowsDirectory,
                                  const std::function<bool(const std::string&)>& fileExists) {
  if (text.empty()) return {EditorSetupDecision::WriteEmpty, {}};
  std::string path = CleanEditorPath(text, windowsDirectory);
  if (!path.empty() && fileExists(path)) return {EditorSetupDecision::Write, path};
  return {EditorSetupDecision::Refuse, {}};
}

EditorSetupLayout LayOutEditorSetup(Size client, const DpiScale& s) {
  const int W = client.width, H = client.height, m = s(8), bw = s(84), bh = s(25);
  const int top = m + s(72), bx = W - m - bw;
  EditorSetupLayout l;
  l.intro = Rect::FromXYWH(m, m, W - 2 * m, s(36));
  l.path = Rect::FromXYWH(m, m + s(40), W - 2 * m, s(24));
  l.howTo = Rect::FromXYWH(m, top, std::max(0, bx - 2 * m), std::max(0, H - top - m));
  l.browse = Rect::FromXYWH(bx, top, bw, bh);
  l.tech = Rect::FromXYWH(bx, top + bh + s(6), bw, bh);
  l.ok = Rect::FromXYWH(bx, H - m - 2 * bh - s(6), bw, bh);
  l.cancel = Rect::FromXYWH(bx, H - m - bh, bw, bh);
  return l;
}

}  // namespace flk
