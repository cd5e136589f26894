#include "camera/editor_setup.h"

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

}  // namespace flk
