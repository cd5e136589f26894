// Shared ground of the scenarios: a clean state before each test, the user
// settings as a fresh installation leaves them, and waits that give up early
// when the program ends or shows a box instead of what was expected.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "shell/names.h"

namespace flk::e2e {

// One row of the user settings as a fresh installation writes them.
struct InstalledSetting {
  // WindowSize: an integer given at 96 DPI that a new user gets times the display scale.
  enum Kind { Integer, Text, Date, WindowSize };
  std::string name;
  Kind kind;
  int number;        // Integer (booleans are 0/1), WindowSize
  std::string text;  // Text
  bool kept;         // never reset by a reinstallation once it exists
};

// Every row of the user settings table, in table order.
const std::vector<InstalledSetting>& InstalledSettings();
const InstalledSetting* FindInstalledSetting(const std::string& name);

inline constexpr DWORD kInstalledReInstalCnt = 2;  // the record written by the harness

// Writes a user key that is current for the installation record: every
// setting with its installed value (window sizes as they are at 96 DPI: a
// size the user left), `a` = `aDate`, and NextTip -1 so that no tips window starts.
void WriteCurrentUserSettings(double aDate = 0);

// Text of a user setting, for messages.
std::string DescribeUserValue(const std::string& name);

// What a start of the camera role came to.
struct CameraStart {
  HWND camera = nullptr;  // visible camera window of the process
  HWND box = nullptr;     // a message box of the process
  bool exited = false;
  DWORD exitCode = 0;
};

// Waits until the process shows its camera, shows a message box or ends.
CameraStart WaitCameraOrBox(const Process& p, DWORD timeoutMs = kWaitMs);
// Waits for a message box of the process with `caption` (nullptr: any), giving
// up when the process ends.
HWND WaitBoxOf(const Process& p, const char* caption, DWORD timeoutMs = kWaitMs);
// "caption: text" of every visible box of the process (pid 0: every process).
std::string DescribeBoxes(DWORD pid);

// The note files (Stickies\*.bmp), by name.
std::string StickiesFolder();
std::vector<std::string> NoteFiles();
// Removes the note files a scenario made, so that no later start brings their manager back.
void RemoveStoredNotes();

// The bytes of a 24-bit bottom-up w x h bitmap file with a pattern of its own.
std::string SmallBmp(int w, int h, int seed);
// Removes a folder (path with a trailing backslash) and everything in it.
void RemoveFolderTree(const std::string& dir);
// True while `w` holds the mouse capture (a note being dragged).
bool Captured(HWND w);
// Presses on the note at `from` (screen), moves by (dx, dy) in steps, each
// handled before the next, and releases: the note's own drag.
void DragNote(HWND note, POINT from, int dx, int dy);

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace flk::e2e
