// Open In Editor on the real file system, registry and shell.
#pragma once

#include <windows.h>

#include <string>

#include "base/picture.h"
#include "output/editor.h"

namespace flk {

// Writes the picture as a new bitmap into BaseFolder()\Edited\ and opens it
// in the editor of EditorPath (or the system's program for .bmp files), then
// shows the large-folder alert when it is due (once per session: the role's).
// Returns true when the file was written.
bool OpenInEditor(const Picture& picture, EditorSession& session);

// The real services, for callers and tests that need them directly.
class WinEditorServices : public EditorServices {
 public:
  std::string BaseFolder() override;
  CalendarDate Today() override;
  bool CreateFolder(const std::string& folder) override;
  bool FileExists(const std::string& path) override;
  bool WriteBitmap(const std::string& path, const Picture& picture) override;
  void Warn(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  std::string ReadEditorPath() override;
  void ClearEditorPath() override;
  bool ReadNsaEdit() override;
  bool OpenWithSystem(const std::string& path) override;
  bool RunProgram(const std::string& program, const std::string& parameters) override;
  int CountPlainFiles(const std::string& folder) override;
  int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int helpContext) override;
};

}  // namespace flk
