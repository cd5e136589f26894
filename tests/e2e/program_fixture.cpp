#include "program_fixture.h"

#include <cstdio>

namespace flk::e2e {

namespace {

using K = InstalledSetting::Kind;

std::vector<InstalledSetting> MakeTable() {
  std::vector<InstalledSetting> t = {
      {"ProgramName", K::Text, 0, "FramelarkPro", false},
      {"ProgramVersion", K::Text, 0, "1.32", false},
      {"ReInstalCnt", K::Integer, static_cast<int>(kInstalledReInstalCnt), "", false},
      {"a", K::Date, 0, "", false},
      {"c", K::Integer, 0, "", true},
      {"PixelFormatPro", K::Integer, 6, "", false},
      {"Left", K::Integer, 0, "", false},
      {"Top", K::Integer, 0, "", false},
      {"Width", K::WindowSize, 186, "", false},
      {"Height", K::WindowSize, 268, "", false},
      {"SaveToFileName", K::Text, 0, "", false},
      {"NxtFileNum", K::Integer, 1, "", false},
      {"RefreshDelay", K::Integer, 255, "", false},
      {"ToolUse", K::Text, 0, "", true},
      {"LastCapturesNum", K::Integer, 5, "", false},
      {"CloseBtnExits", K::Integer, 1, "", false},
      {"DoTopper", K::Integer, 0, "", false},
      {"CPanelAlign", K::Integer, 1, "", false},
      // No image editor is registered in a plain prefix.
      {"EditorPath", K::Text, 0, "", false},
      {"CamTitle", K::Integer, 1, "", false},
      {"CamToolImages", K::Integer, 1, "", false},
      {"CamToolText", K::Integer, 1, "", false},
      {"CamStatus", K::Integer, 1, "", false},
  };
  for (const char* b : {"CambtnPrint", "CambtnPrintFit", "CambtnSave", "CambtnIncSave", "CambtnCopy", "CambtnEdit",
                        "CambtnEmail", "CambtnSticky", "CambtnStore", "CambtnRecall", "CambtnLock", "CambtnToEdge",
                        "CambtnScreen", "CambtnWindow", "CambtnInside", "CambtnScroll", "CambtnRobo"})
    t.push_back({b, K::Integer, 1, "", false});
  t.push_back({"CamBevelWidth", K::Integer, 5, "", false});
  for (const char* n : {"NsaColorDepth", "NsaSaveAsFormat", "NsaEdit", "NsaNonMapiMsg", "NsaUseScissors", "NsaBigImage",
                        "NsaHiddenControls", "NsaResizeLimit", "NsaCntrPt", "NsaScrollPt", "NsaEteOff"})
    t.push_back({n, K::Integer, 0, "", false});
  t.push_back({"NextTip", K::Integer, 1, "", false});
  t.push_back({"MapiEmail", K::Integer, 0, "", false});
  t.push_back({"MapiClient", K::Integer, 0, "", false});
  t.push_back({"NonMapiOpen", K::Integer, 1, "", false});
  for (const char* set : {"SS_", "AS_"}) {
    const bool robo = set[0] == 'A';
    const std::pair<const char*, int> rows[] = {{"DoVScroll", robo ? 1 : 0},
                                                {"DoIndex", 1},
                                                {"Interval", robo ? 400 : 600},
                                                {"StepSize", 1},
                                                {"FileLimit", 8388608},
                                                {"IndexLt", 19},
                                                {"ScanLt", 20},
                                                {"ScanTp", 20},
                                                {"ScanRt", 20},
                                                {"ScanBt", 28},
                                                {"RtMargin", 18},
                                                {"SrchVScroll", 1}};
    for (const auto& [name, value] : rows) {
      static std::vector<std::string> names;  // keeps the composed names alive
      names.reserve(64);
      names.push_back(std::string(set) + name);
      t.push_back({names.back().c_str(), K::Integer, value, "", false});
    }
  }
  t.push_back({"ViewerLeft", K::Integer, 150, "", false});
  t.push_back({"ViewerTop", K::Integer, 150, "", false});
  t.push_back({"ViewerWidth", K::WindowSize, 790, "", false});
  t.push_back({"ViewerHeight", K::WindowSize, 400, "", false});
  for (const char* n : {"ViewerToolImages", "ViewerToolText", "ViewerMemo", "ViewerStatus"})
    t.push_back({n, K::Integer, 1, "", false});
  for (const char* n :
       {"ViewerbtnPrint", "ViewerbtnPrintFit", "ViewerbtnEmail", "ViewerbtnCopy", "ViewerbtnSave", "ViewerbtnEdit",
        "ViewerbtnSticky", "ViewerbtnDelete", "ViewerbtnPaste", "ViewerbtnMirror", "ViewerbtnFlip", "ViewerbtnInvert",
        "ViewerbtnCamera", "ViewerbtnSaveInc", "ViewerbtnCrop", "ViewerbtnProp"})
    t.push_back({n, K::Integer, 1, "", false});
  t.push_back({"ViewerThumbHeight", K::Integer, 39, "", false});
  t.push_back({"ViewerMemoHeight", K::Integer, 32, "", false});
  return t;
}

// Keeps Wine's desktop process up from the first test on.
class DesktopKeeper : public ::testing::Environment {
 public:
  void SetUp() override { KeepDesktopAlive(); }
};
[[maybe_unused]] const ::testing::Environment* const g_keeper = ::testing::AddGlobalTestEnvironment(new DesktopKeeper);

}  // namespace

const std::vector<InstalledSetting>& InstalledSettings() {
  static const std::vector<InstalledSetting> table = MakeTable();
  return table;
}

const InstalledSetting* FindInstalledSetting(const std::string& name) {
  for (const auto& s : InstalledSettings())
    if (name == s.name) return &s;
  return nullptr;
}

void WriteCurrentUserSettings(double aDate) {
  if (aDate == 0) aDate = OleNow() - 1;
  for (const auto& s : InstalledSettings()) {
    switch (s.kind) {
      case K::Integer:
      case K::WindowSize: RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, s.name, static_cast<DWORD>(s.number)); break;
      case K::Text: RegWriteString(HKEY_CURRENT_USER, kSettingsPath, s.name, s.text); break;
      case K::Date: RegWriteDate(HKEY_CURRENT_USER, kSettingsPath, s.name, aDate); break;
    }
  }
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip", static_cast<DWORD>(-1));
}

std::string DescribeUserValue(const std::string& name) {
  auto d = RegRead(HKEY_CURRENT_USER, kSettingsPath, name);
  if (!d) return name + " missing";
  char buf[64];
  switch (d->type) {
    case REG_DWORD:
      if (d->bytes.size() == 4) {
        std::snprintf(buf, sizeof buf, "REG_DWORD %d", *reinterpret_cast<const int*>(d->bytes.data()));
        return name + " = " + buf;
      }
      break;
    case REG_SZ:
    case REG_EXPAND_SZ: return name + " = REG_SZ \"" + *RegString(HKEY_CURRENT_USER, kSettingsPath, name) + "\"";
    default: break;
  }
  std::snprintf(buf, sizeof buf, "type %lu, %zu bytes", static_cast<unsigned long>(d->type), d->bytes.size());
  return name + " = " + buf;
}

CameraStart WaitCameraOrBox(const Process& p, DWORD timeoutMs) {
  CameraStart r;
  WaitUntil(
      [&] {
        auto boxes = MessageBoxes(nullptr, p.pid());
        if (!boxes.empty()) {
          r.box = boxes.front();
          Trace("box");
          return true;
        }
        if (HWND cam = FindTop(kCameraClass, kCameraCaption, p.pid()); cam && IsWindowVisible(cam)) {
          r.camera = cam;
          Trace("camera shown");
          return true;
        }
        if (auto code = p.WaitExit(0)) {
          r.exited = true;
          r.exitCode = *code;
          return true;
        }
        return false;
      },
      timeoutMs);
  return r;
}

HWND WaitBoxOf(const Process& p, const char* caption, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        auto boxes = MessageBoxes(caption, p.pid());
        if (!boxes.empty()) {
          box = boxes.front();
          Trace("box");
          return true;
        }
        return !p.Running();
      },
      timeoutMs);
  return box;
}

std::string DescribeBoxes(DWORD pid) {
  std::string out;
  for (HWND b : MessageBoxes(nullptr, pid)) {
    if (!out.empty()) out += " | ";
    out += '"';
    out += WindowText(b);
    out += "\": \"";
    out += MessageBoxText(b);
    out += '"';
  }
  return out.empty() ? "(no message box)" : out;
}

void ProgramTest::SetUp() {
  TraceTestStart();
  ASSERT_TRUE(FileExists(ProgramPath())) << "the program is not installed at " << ProgramPath();
  ResetProgramState();
  ASSERT_TRUE(ProgramProcessIds().empty()) << "program processes survived the reset";
  ASSERT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kSettingsPath));
  Trace("set up");
}

void ProgramTest::TearDown() {
  // Leave nothing running for the next test; a box still open is worth a line.
  if (HasFailure()) {
    std::string boxes = DescribeBoxes(0);
    if (boxes != "(no message box)") std::printf("open boxes at the end: %s\n", boxes.c_str());
  }
  Trace("tearing down");
  KillProgramProcesses();
  Trace("torn down");
}

std::string StickiesFolder() { return DataFolder() + "Stickies\\"; }

std::vector<std::string> NoteFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA f;
  HANDLE h = ::FindFirstFileA((StickiesFolder() + "*.bmp").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(f.cFileName);
  while (::FindNextFileA(h, &f));
  ::FindClose(h);
  return names;
}

void RemoveStoredNotes() {
  for (const std::string& n : NoteFiles()) ::DeleteFileA((StickiesFolder() + n).c_str());
}

void RemoveFolderTree(const std::string& dir) {
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((dir + "*").c_str(), &d);
  if (f != INVALID_HANDLE_VALUE) {
    do {
      const std::string n = d.cFileName;
      if (n == "." || n == "..") continue;
      if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolderTree(dir + n + "\\");
      else ::DeleteFileA((dir + n).c_str());
    } while (::FindNextFileA(f, &d));
    ::FindClose(f);
  }
  ::RemoveDirectoryA(dir.c_str());
}

bool Captured(HWND w) {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(w, nullptr), &gti) && gti.hwndCapture == w;
}

void DragNote(HWND note, POINT from, int dx, int dy) {
  MouseAt(from.x, from.y);
  WaitUntil([&] { return ::WindowFromPoint(from) == note; });
  MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
  if (!WaitUntil([&] { return Captured(note); })) {
    ADD_FAILURE() << "the press did not reach the note";
    return;
  }
  for (int i = 1; i <= 5; ++i) {
    MouseAt(from.x + dx * i / 5, from.y + dy * i / 5);
    WaitUntil([&] {
      POINT p;
      return ::GetCursorPos(&p) && p.x == from.x + dx * i / 5;
    });
    Send(note, WM_NULL);
  }
  MouseAt(from.x + dx, from.y + dy, MOUSEEVENTF_LEFTUP);
  WaitUntil([&] { return !Captured(note); });
}

std::string SmallBmp(int w, int h, int seed) {
  const int stride = (w * 3 + 3) & ~3;
  std::string b(size_t(54 + stride * h), '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  b[26] = 1, b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      char* p = &b[54 + size_t(y) * size_t(stride) + size_t(x) * 3];
      p[0] = char(x * 7 + seed), p[1] = char(y * 5), p[2] = char(x ^ y ^ seed);
    }
  return b;
}

}  // namespace flk::e2e
