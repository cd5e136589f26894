// Real faults against the real program (the e2e-faults layer,
// scripts/e2e_faults.sh): a small tmpfs is Wine drive FLK_FAULTS_DRIVE, the
// ring folder and the notes folder are links into it, and a filler file
// brings it to the brink. Every write that cannot happen must end in one
// message naming the file and the reason, leave the earlier files byte for
// byte, leave no temporary file, and keep what is in memory.
//
// FaultsKill.* are the steps of the kill rounds that the script runs: it
// kills the roles (kill -9 of their Unix processes) while FaultsKill.Stream
// keeps them writing, and FaultsKill.Check restarts them and checks every file.
//
// Outside that layer (no FLK_FAULTS_DRIVE) every scenario here is skipped.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "camera_scene.h"
#include "scroll_doc_window.h"
#include "stickies/sticky_notes.h"
#include "viewer/memo_file.h"
#include "viewer/viewer_commands.h"

namespace flk::e2e {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}
std::string Drive() { return Env("FLK_FAULTS_DRIVE"); }  // "F:"
std::string Ring() { return DataFolder() + "Folders\\LastCaptures\\"; }
std::string Other() { return DataFolder() + "Folders\\Other\\"; }
std::string Stickies() { return DataFolder() + "Stickies\\"; }
std::string FillerPath() { return Drive() + "\\filler.bin"; }
constexpr RECT kCamera{200, 150, 200 + 345, 150 + 280};

#define SKIP_OUTSIDE_FAULTS_LAYER() \
  if (Drive().empty()) GTEST_SKIP() << "only in the e2e-faults layer"

std::optional<std::vector<uint8_t>> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Names(const std::string& folder, const char* pattern = "*") {
  std::vector<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((folder + pattern).c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(d.cFileName);
  } while (::FindNextFileA(f, &d));
  ::FindClose(f);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> SubFolders(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((folder + "*").c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string n = d.cFileName;
    if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n != "." && n != "..") names.push_back(n);
  } while (::FindNextFileA(f, &d));
  ::FindClose(f);
  return names;
}

void EmptyFolder(const std::string& folder) {
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const std::string& n : Names(folder)) ::DeleteFileA((folder + n).c_str());
}

// Every temporary file a save leaves ("<name>.<8 hex>.flktmp") anywhere in the data folder.
std::vector<std::string> TemporaryFiles() {
  std::vector<std::string> found;
  std::vector<std::string> folders{DataFolder() + "Pro\\", Stickies(), DataFolder() + "Edited\\",
                                   DataFolder() + "Captures\\", DataFolder() + "Folders\\", Drive() + "\\"};
  for (const std::string& f : SubFolders(DataFolder() + "Folders\\")) folders.push_back(DataFolder() + "Folders\\" + f + "\\");
  for (const std::string& folder : folders)
    for (const std::string& n : Names(folder, "*.flktmp")) found.push_back(folder + n);
  return found;
}

uint64_t FreeBytes() {
  ULARGE_INTEGER avail{}, total{}, free{};
  if (!::GetDiskFreeSpaceExA((Drive() + "\\").c_str(), &avail, &total, &free)) return 0;
  return avail.QuadPart;
}

// Fills the drive until `leave` bytes are free (tmpfs counts in pages).
bool FillDisk(uint64_t leave) {
  ::DeleteFileA(FillerPath().c_str());
  const uint64_t free = FreeBytes();
  if (free <= leave) return true;
  HANDLE h = ::CreateFileA(FillerPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::vector<char> chunk(1 << 20, 'f');
  uint64_t left = free - leave;
  while (left > 0) {
    DWORD n = DWORD(std::min<uint64_t>(left, chunk.size())), done = 0;
    if (!::WriteFile(h, chunk.data(), n, &done, nullptr) || done == 0) break;
    left -= done;
  }
  ::CloseHandle(h);
  return FreeBytes() <= leave + 8192;
}
void FreeDisk() { ::DeleteFileA(FillerPath().c_str()); }

// The files of a folder with their bytes, to compare after a fault.
std::map<std::string, std::vector<uint8_t>> Snapshot(const std::string& folder) {
  std::map<std::string, std::vector<uint8_t>> s;
  for (const std::string& n : Names(folder))
    if (auto b = Bytes(folder + n)) s[n] = *b;
  return s;
}

// The reason of a write that found the disk full, in the system's words.
bool SaysDiskFull(const std::string& text) {
  std::string t = text;
  for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
  return t.find("disk full") != std::string::npos || t.find("space") != std::string::npos;
}

HWND BoxWith(DWORD pid, const char* caption) { return WaitMessageBox(caption, kWaitMs, pid); }

// The camera at kCamera with the installed settings plus `extra`.
RunningCamera StartCam(SettingValues extra = {}) { return StartCameraOver(kCamera, extra); }

class FaultsE2E : public ProgramTest {
 protected:
  void SetUp() override {
    SKIP_OUTSIDE_FAULTS_LAYER();
    ProgramTest::SetUp();
    FreeDisk();
    EmptyFolder(DataFolder() + "Folders\\");
    EmptyFolder(Ring());
    EmptyFolder(Other());
  }
  void TearDown() override {
    if (Drive().empty()) return;
    ProgramTest::TearDown();
    FreeDisk();
  }
};

// The reported fault: Full Screen into a ring on a nearly full file system.
TEST_F(FaultsE2E, AWholeCaptureIntoAFullRingSaysWhichFileAndWhyAndKeepsEverythingElse) {
  Put(Ring() + "0000000001.bmp", SmallBmp(40, 30, 1));
  Put(Ring() + "0000000002.bmp", SmallBmp(41, 30, 2));
  Put(Ring() + "0000000001.rtf", "{\\rtf1 earlier memo}");
  const auto before = Snapshot(Ring());
  ASSERT_TRUE(FillDisk(200 * 1024)) << FreeBytes();
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"NsaSaveAsFormat", 1}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::FullScreen)));
  HWND box = BoxWith(cam.process.pid(), "Save File Error");
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find(Ring() + "0000000003.bmp"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_NE(text.find("Save it somewhere else?"), std::string::npos) << text;
  EXPECT_EQ(MessageBoxes(nullptr, 0).size(), 1u) << "one message: " << DescribeBoxes(0);
  EXPECT_EQ(Snapshot(Ring()), before) << "the earlier pictures and memo byte for byte";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  EXPECT_FALSE(FindTop(kViewerClass, kViewerCaption));
  // Yes: the capture is still there to be saved elsewhere (the save dialog).
  ASSERT_TRUE(Answer(box, IDYES));
  HWND dialog = WaitWindow(kDialogClass, "Save As", true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(cam.process.pid());
  ::CreateDirectoryA("C:\\FramelarkFaults", nullptr);
  ::DeleteFileA("C:\\FramelarkFaults\\kept.bmp");
  ASSERT_TRUE(::SetDlgItemTextA(dialog, 0x47c, "C:\\FramelarkFaults\\kept.bmp"));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([] { return ReadBmpFile("C:\\FramelarkFaults\\kept.bmp").has_value(); }));
  auto kept = ReadBmpFile("C:\\FramelarkFaults\\kept.bmp");
  EXPECT_EQ(kept->width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(cam.camera); })) << "the camera is the user's again";
  // Room again: the next capture is stored and shown.
  FreeDisk();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::FullScreen)));
  HWND viewer = WaitViewer();
  ASSERT_TRUE(viewer) << DescribeBoxes(0);
  EXPECT_TRUE(WaitUntil([] { return ReadBmpFile(Ring() + "0000000004.bmp").has_value(); })) << DescribeBoxes(0);
  EXPECT_TRUE(ReadBmpFile(Ring() + "0000000002.bmp")) << "kept by a ring of 5";
  EXPECT_TRUE(TemporaryFiles().empty());
}

// A robo capture into the full ring: the tall picture is reported, not lost,
// and saved elsewhere whole, row for row as the window's contents.
TEST_F(FaultsE2E, ARoboCaptureIntoAFullRingIsReportedAndSavedElsewhereWhole) {
  TallDocument d = LoadScrollDocument("chromium_rustbook_strings_900x8000.png");
  ASSERT_GT(d.height, 0);
  ScrollDocWindow w(d, POINT{20, 90}, 600, 0, 0, false, 60);
  ASSERT_EQ(w.WaitShown(), 0);
  Put(Ring() + "0000000001.bmp", SmallBmp(40, 30, 1));
  const auto before = Snapshot(Ring());
  ASSERT_TRUE(FillDisk(200 * 1024)) << FreeBytes();
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"NsaSaveAsFormat", 1}, {"NsaScrollPt", 1}, {"AS_Interval", 150},
                                {"AS_FileLimit", 67108864}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ::SetWindowPos(w.top(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(cam.camera, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Robo)));
  HWND box = WaitMessageBox("Save File Error", 180000, cam.process.pid());
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find(Ring() + "0000000002.bmp"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_NE(text.find("Save it somewhere else?"), std::string::npos) << text;
  EXPECT_EQ(Snapshot(Ring()), before) << "the earlier picture byte for byte";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  ASSERT_TRUE(Answer(box, IDYES));
  HWND dialog = WaitWindow(kDialogClass, "Save As", true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(cam.process.pid());
  ::CreateDirectoryA("C:\\FramelarkFaults", nullptr);
  ::DeleteFileA("C:\\FramelarkFaults\\robo.bmp");
  ASSERT_TRUE(::SetDlgItemTextA(dialog, 0x47c, "C:\\FramelarkFaults\\robo.bmp"));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([] { return ReadBmpFile("C:\\FramelarkFaults\\robo.bmp").has_value(); }));
  const std::optional<ReadPicture> pic = ReadBmpFile("C:\\FramelarkFaults\\robo.bmp");
  const RECT wr = WindowRect(w.doc()), c = w.client();
  const int ox = c.left - wr.left, oy = c.top - wr.top;
  EXPECT_EQ(pic->width, (wr.right - wr.left) - 18);
  ASSERT_EQ(pic->height, oy + d.height + (wr.bottom - c.bottom));
  int differing = 0;
  const int width = std::min(pic->width - ox, d.width);
  for (int i = 0; i < d.height; ++i)
    for (int x = 0; x < width; ++x)
      if (pic->at(ox + x, oy + i) != w.Whole(x, i)) {
        ++differing;
        break;
      }
  EXPECT_EQ(differing, 0) << "rows of the saved picture unlike the document";
  EXPECT_EQ(Snapshot(Ring()), before);
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_FALSE(FindTop(kViewerClass, kViewerCaption)) << "nothing stored, nothing shown";
}

// Save As and Save Same Name +1 onto the full drive, in each format.
TEST_F(FaultsE2E, SavesOntoAFullDriveReportTheFileAndLeaveTheOldOne) {
  const std::string old = SmallBmp(8, 8, 3);
  // The ring is off: only the save itself writes.
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"NsaSaveAsFormat", 1}, {"LastCapturesNum", 0}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  for (const char* ext : {".bmp", ".gif", ".jpg", ".png"}) {
    SCOPED_TRACE(ext);
    const std::string same = Drive() + "\\shot1" + ext, plusOne = Drive() + "\\shot2" + ext;
    FreeDisk();
    Put(same, old);  // an older file under the name Save As replaces
    ::DeleteFileA(plusOne.c_str());
    ASSERT_TRUE(FillDisk(0));
    // Save As onto the old file.
    ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::SaveAs)));
    HWND dialog = WaitWindow(kDialogClass, "Save As", true, kWaitMs, cam.process.pid());
    ASSERT_TRUE(dialog) << DescribeBoxes(cam.process.pid());
    ASSERT_TRUE(::SetDlgItemTextA(dialog, 0x47c, same.c_str()));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    // The dialog asks before replacing a file (a box of its own with its caption).
    HWND box = nullptr;
    WaitUntil([&] {
      for (HWND b : MessageBoxes(nullptr, cam.process.pid()))
        if (b != dialog && ::GetWindow(b, GW_OWNER) == dialog) PressButton(b, IDYES);
      auto errors = MessageBoxes("Save File Error", cam.process.pid());
      if (!errors.empty()) box = errors.front();
      return box != nullptr;
    });
    ASSERT_TRUE(box) << DescribeBoxes(0);
    std::string text = MessageBoxText(box);
    EXPECT_NE(text.find(same), std::string::npos) << text;
    EXPECT_TRUE(SaysDiskFull(text)) << text;
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(Bytes(same), std::vector<uint8_t>(old.begin(), old.end())) << "the old file byte for byte";
    // Save Same Name +1 goes to the next name without a dialog.
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName", same));
    ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::IncSave)));
    box = BoxWith(cam.process.pid(), "Save File Error");
    ASSERT_TRUE(box) << DescribeBoxes(0);
    text = MessageBoxText(box);
    EXPECT_NE(text.find(same), std::string::npos) << text;
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(Bytes(same), std::vector<uint8_t>(old.begin(), old.end())) << "still the old file";
    EXPECT_FALSE(FileExists(plusOne));
    EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
    EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
    ::DeleteFileA(same.c_str());
  }
}

void Do(HWND v, ViewerCommand c) { Post(v, WM_COMMAND, WPARAM(CommandMenuId(c))); }
void ChooseFolder(HWND v, int index) { Post(v, WM_COMMAND, WPARAM(kFolderItemBase + index)); }
HWND Memo(HWND v) { return ::FindWindowExA(v, nullptr, "RichEdit20W", nullptr); }

// The viewer's write-back of an edited picture and of a memo on the full drive.
TEST_F(FaultsE2E, AViewerEditThatCannotBeWrittenStaysModifiedAndIsWrittenLater) {
  Put(Other() + "1.bmp", SmallBmp(20, 20, 9));
  Put(Ring() + "0000000001.bmp", SmallBmp(300, 200, 4));
  Put(Ring() + "0000000002.bmp", SmallBmp(50, 20, 5));
  const auto before = Snapshot(Ring());
  WriteCurrentUserSettings();
  Process p = Process::Start("viewer");
  HWND v = WaitViewer();
  ASSERT_TRUE(v);
  // Folders: "LastCaptures", "Other"; the viewer opens on the ring's last picture.
  ASSERT_TRUE(WaitViewerStatus(v, "2 pictures loaded from LastCaptures folder.")) << ViewerStatus(v);
  Do(v, ViewerCommand::Mirror);
  ASSERT_TRUE(FillDisk(0));
  ChooseFolder(v, 1);
  HWND box = BoxWith(p.pid(), "Framelark Warning");
  ASSERT_TRUE(box) << DescribeBoxes(0);
  std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Note, 1 picture file(s) could't be saved."), std::string::npos) << text;
  EXPECT_NE(text.find(Ring() + "0000000002.bmp"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(Snapshot(Ring()), before);
  EXPECT_TRUE(TemporaryFiles().empty());
  // The memo of the shown picture, typed and left for the first picture.
  HWND memo = Memo(v);
  ASSERT_TRUE(memo);
  for (char c : std::string("kept memo")) Post(memo, WM_CHAR, WPARAM(c));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(memo) == "kept memo"; })) << WindowText(memo);
  Post(v, WM_KEYDOWN, VK_HOME);
  box = BoxWith(p.pid(), "Framelark Warning");
  ASSERT_TRUE(box) << DescribeBoxes(0);
  text = MessageBoxText(box);
  EXPECT_NE(text.find("Couldn't save the memo " + Ring() + "0000000002.rtf"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_FALSE(FileExists(Ring() + "0000000002.rtf"));
  EXPECT_TRUE(TemporaryFiles().empty());
  // Back on the picture: the memo is still what was typed.
  Post(v, WM_KEYDOWN, VK_END);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(memo) == "kept memo"; })) << WindowText(memo);
  // Room again: leaving writes both.
  FreeDisk();
  ChooseFolder(v, 1);
  ASSERT_TRUE(WaitViewerStatus(v, "1 pictures loaded from Other folder.")) << ViewerStatus(v) << DescribeBoxes(0);
  auto mirrored = ReadBmpFile(Ring() + "0000000002.bmp");
  ASSERT_TRUE(mirrored);
  auto original = ReadBmpFile(Other() + "1.bmp");  // any reference decodes the same way
  Put(DataFolder() + "ref.bmp", SmallBmp(50, 20, 5));
  auto plain = ReadBmpFile(DataFolder() + "ref.bmp");
  ASSERT_TRUE(plain && original);
  int bad = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) bad += mirrored->at(x, y) != plain->at(49 - x, y);
  EXPECT_EQ(bad, 0) << "the mirrored picture";
  auto memoBytes = Bytes(Ring() + "0000000002.rtf");
  ASSERT_TRUE(memoBytes) << DescribeBoxes(0);
  EXPECT_NE(std::string(memoBytes->begin(), memoBytes->end()).find("kept memo"), std::string::npos);
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty()) << DescribeBoxes(0);
  EXPECT_TRUE(TemporaryFiles().empty());
  ::DeleteFileA((DataFolder() + "ref.bmp").c_str());
}

// The ring copy that a camera command makes beside its output, into a full
// ring: the output goes on (the clipboard gets the picture, its status stays),
// and then one box names the ring file and the reason.
TEST_F(FaultsE2E, ARingCopyThatCannotBeStoredIsReportedAfterTheOutput) {
  Put(Ring() + "0000000001.bmp", SmallBmp(40, 30, 1));
  Put(Ring() + "0000000002.bmp", SmallBmp(41, 30, 2));
  Put(Ring() + "0000000002.rtf", "{\\rtf1 earlier memo}");
  const auto before = Snapshot(Ring());
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"LastCapturesNum", 5}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ASSERT_TRUE(FillDisk(0)) << FreeBytes();
  if (::OpenClipboard(nullptr)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  // Copy: the output works, only the ring copy cannot be written.
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  HWND box = BoxWith(cam.process.pid(), "Save File Error");
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0) << "; status: " << StatusText(cam.camera);
  std::string text = MessageBoxText(box);
  EXPECT_NE(text.find(Ring() + "0000000003.bmp"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_NE(text.find("This picture was not kept in the LastCaptures folder."), std::string::npos) << text;
  EXPECT_EQ(MessageBoxes(nullptr, 0).size(), 1u) << "one message: " << DescribeBoxes(0);
  EXPECT_EQ(StatusText(cam.camera), "Copied to clipboard.") << "the output's own status stays";
  auto copied = ReadClipboardDib();
  ASSERT_TRUE(copied) << "the output itself went on";
  EXPECT_GT(copied->width * copied->height, 0);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(Snapshot(Ring()), before) << "the earlier pictures and memo byte for byte";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  // Store, whose only output is the ring copy, does not claim it stored.
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::StoreRing)));
  box = BoxWith(cam.process.pid(), "Save File Error");
  ASSERT_TRUE(box) << DescribeBoxes(0);
  text = MessageBoxText(box);
  EXPECT_NE(text.find(Ring() + "000000000"), std::string::npos) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_NE(StatusText(cam.camera), "Stored to LastCaptures folder.");
  EXPECT_EQ(Snapshot(Ring()), before);
  EXPECT_TRUE(TemporaryFiles().empty());
  // Room again: the next copy is stored, with no message.
  FreeDisk();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  EXPECT_TRUE(WaitUntil([] { return Names(Ring(), "*.bmp").size() == 3; })) << DescribeBoxes(0);
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  for (const std::string& n : Names(Ring(), "*.bmp")) EXPECT_TRUE(ReadBmpFile(Ring() + n)) << n;
}

// Open In Editor with `Edited\` on the full drive: the copy for the editor
// cannot be written, one box names it with the reason, no editor starts and
// the earlier copies stay.
TEST_F(FaultsE2E, TheEditorCopyOnAFullDriveSaysWhichFileAndWhyAndOpensNothing) {
  const std::string edited = DataFolder() + "Edited\\";
  EmptyFolder(edited);
  Put(edited + "earlier.bmp", SmallBmp(30, 20, 6));
  const auto before = Snapshot(edited);
  // The ring is off: only the editor copy writes.
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"NsaEdit", 1}, {"LastCapturesNum", 0}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ASSERT_TRUE(FillDisk(0)) << FreeBytes();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Edit)));
  HWND box = BoxWith(cam.process.pid(), "Save File Error");
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find(edited), std::string::npos) << text;
  EXPECT_NE(text.find(".bmp"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_EQ(MessageBoxes(nullptr, 0).size(), 1u) << "one message: " << DescribeBoxes(0);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(Snapshot(edited), before) << "the earlier copy byte for byte, no part of the new one";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << "no editor, no further message: " << DescribeBoxes(0);
}

// Make Email Attachment with the program folder on the full drive: the
// attachment file cannot be written, one box names it with the reason, and
// the attachment made before stays as it was.
TEST_F(FaultsE2E, TheEmailAttachmentOnAFullDriveSaysWhichFileAndWhyAndKeepsTheOldOne) {
  const std::string pro = DataFolder() + "Pro\\";
  Put(pro + "Framelark.jpg", "an earlier attachment");
  const auto before = Snapshot(pro);
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"LastCapturesNum", 0}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ASSERT_TRUE(FillDisk(0)) << FreeBytes();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::MakeEmailAttachment)));
  HWND box = BoxWith(cam.process.pid(), "Save File Error");
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find(pro + "Framelark.jpg"), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_EQ(MessageBoxes(nullptr, 0).size(), 1u) << "one message: " << DescribeBoxes(0);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(Snapshot(pro), before) << "the earlier attachment byte for byte";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  ::DeleteFileA((pro + "Framelark.jpg").c_str());
}

// A new note and a moved note on a full Stickies folder (on the tmpfs): the
// new note's file cannot be written when it closes, which one box names with
// its reason; the moved note's file only changes its name, which needs no room.
// The new note's picture goes with its window (the file was its only copy).
TEST_F(FaultsE2E, NotesOnAFullDriveSayWhichFileAndWhyAndKeepTheStoredOnes) {
  EmptyFolder(Stickies());
  Put(Stickies() + "1_700_500_.bmp", SmallBmp(60, 40, 11));
  const auto before = Snapshot(Stickies());
  RunningCamera cam = StartCam({{"NsaCntrPt", 1}, {"NsaSaveAsFormat", 1}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  ASSERT_TRUE(WaitUntil([] { return TopWindows("TfrmStickyItem", "StickyItem").size() == 1; })) << DescribeBoxes(0);
  HWND stored = TopWindows("TfrmStickyItem", "StickyItem").front();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Sticky)));
  ASSERT_TRUE(WaitUntil([] { return TopWindows("TfrmStickyItem", "StickyItem").size() == 2; })) << DescribeBoxes(0);
  HWND made = nullptr;
  for (HWND n : TopWindows("TfrmStickyItem", "StickyItem"))
    if (n != stored) made = n;
  ASSERT_TRUE(made);
  Process manager = Process::Open(WindowPid(made));
  const RECT at = WindowRect(made);
  const std::optional<Pixels> shown = GrabScreen(at);
  ASSERT_TRUE(shown);
  ASSERT_TRUE(FillDisk(0)) << FreeBytes();
  ASSERT_TRUE(Post(made, WM_CLOSE));
  HWND box = BoxWith(manager.pid(), nullptr);
  ASSERT_TRUE(box) << "nothing said; boxes: " << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  const std::string expectedFile =
      Stickies() + "2_" + std::to_string(at.left) + "_" + std::to_string(at.top) + "_.bmp";
  EXPECT_NE(text.find("Couldn't save Sticky: " + expectedFile), std::string::npos) << text;
  EXPECT_TRUE(SaysDiskFull(text)) << text;
  EXPECT_NE(text.find("Save it somewhere else?"), std::string::npos) << text;
  EXPECT_EQ(MessageBoxes(nullptr, 0).size(), 1u) << "one message: " << DescribeBoxes(0);
  // Yes: the note's picture is still there to be saved elsewhere, pixel for pixel.
  ASSERT_TRUE(Answer(box, IDYES));
  HWND dialog = WaitWindow(kDialogClass, "Save As", true, kWaitMs, manager.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(manager.pid());
  ::CreateDirectoryA("C:\\FramelarkFaults", nullptr);
  ::DeleteFileA("C:\\FramelarkFaults\\note.bmp");
  ASSERT_TRUE(::SetDlgItemTextA(dialog, 0x47c, "C:\\FramelarkFaults\\note.bmp"));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([] { return ReadBmpFile("C:\\FramelarkFaults\\note.bmp").has_value(); })) << DescribeBoxes(0);
  auto kept = ReadBmpFile("C:\\FramelarkFaults\\note.bmp");
  EXPECT_EQ(kept->width, int(shown->width() - 2 * flk::kNoteFrame));
  EXPECT_EQ(kept->height, int(shown->height() - 2 * flk::kNoteFrame));
  // Only the note's menu button, drawn over its picture, may differ from the screen.
  RECT differ{kept->width, kept->height, 0, 0};
  for (int y = 0; y < kept->height; ++y)
    for (int x = 0; x < kept->width; ++x)
      if ((kept->at(x, y) & 0xFFFFFF) !=
          shown->at(shown->rect.left + flk::kNoteFrame + x, shown->rect.top + flk::kNoteFrame + y))
        differ = RECT{std::min<LONG>(differ.left, x), std::min<LONG>(differ.top, y),
                      std::max<LONG>(differ.right, x + 1), std::max<LONG>(differ.bottom, y + 1)};
  EXPECT_LE(std::max<LONG>(0, differ.right - differ.left), flk::kMenuButtonWidth) << "the saved picture is the note's";
  EXPECT_LE(std::max<LONG>(0, differ.bottom - differ.top), flk::kMenuButtonHeight) << "the saved picture is the note's";
  EXPECT_EQ(Snapshot(Stickies()), before) << "the stored note byte for byte, no part of the new one";
  EXPECT_TRUE(TemporaryFiles().empty()) << TemporaryFiles().front();
  // The stored note, dragged on the full drive and closed: its file takes the
  // new place's name, byte for byte.
  const RECT old = WindowRect(stored);
  DragNote(stored, POINT{old.left + 20, old.top + 25}, 40, 30);
  const RECT moved = WindowRect(stored);
  ASSERT_EQ(moved.left, old.left + 40);
  ASSERT_TRUE(Post(stored, WM_CLOSE));
  const std::string movedName = "1_" + std::to_string(moved.left) + "_" + std::to_string(moved.top) + "_.bmp";
  EXPECT_TRUE(WaitUntil([&] { return FileExists(Stickies() + movedName); })) << DescribeBoxes(0);
  EXPECT_EQ(Bytes(Stickies() + movedName), before.begin()->second);
  EXPECT_EQ(Names(Stickies(), "*.bmp").size(), 1u);
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  // Room again: a new note is written when it closes.
  FreeDisk();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Sticky)));
  ASSERT_TRUE(WaitUntil([] { return TopWindows("TfrmStickyItem", "StickyItem").size() == 1; })) << DescribeBoxes(0);
  Post(TopWindows("TfrmStickyItem", "StickyItem").front(), WM_CLOSE);
  EXPECT_TRUE(WaitUntil([] { return Names(Stickies(), "*.bmp").size() == 2; })) << DescribeBoxes(0);
  for (const std::string& n : Names(Stickies(), "*.bmp")) EXPECT_TRUE(ReadBmpFile(Stickies() + n)) << n;
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  EXPECT_TRUE(TemporaryFiles().empty());
  KillProgramProcesses();
  EmptyFolder(Stickies());  // no later start brings the manager back
}

// ---- kill rounds -------------------------------------------------------------------------

constexpr DWORD kStepMs = 3000;


// Clean ground for the rounds: the installed settings with a ring of three,
// a second picture folder and no notes.
TEST(FaultsKill, Prepare) {
  SKIP_OUTSIDE_FAULTS_LAYER();
  KeepDesktopAlive();
  ResetProgramState();
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum", 3);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NsaCntrPt", 1);
  FreeDisk();
  EmptyFolder(DataFolder() + "Folders\\");
  EmptyFolder(Ring());
  EmptyFolder(Other());
  EmptyFolder(Stickies());
  Put(Other() + "1.bmp", SmallBmp(64, 48, 7));
  // Two stored notes: every start of the camera brings their manager along.
  Put(Stickies() + "1_700_500_.bmp", SmallBmp(60, 40, 11));
  Put(Stickies() + "2_800_500_.bmp", SmallBmp(60, 40, 12));
  SUCCEED();
}

// The files the kill rounds and the script hand each other (C:\FramelarkFaults\sync\):
// "ready-<r>" when round r's roles run and its stream begins, "killed-<r>"
// when the script has killed them, "counted-<r>" when it has counted the
// temporary files the kill left.
std::string SyncFile(const char* what, int round) {
  return "C:\\FramelarkFaults\\sync\\" + std::string(what) + "-" + std::to_string(round);
}

struct Roles {
  Process camera, viewer;
  HWND cam = nullptr, view = nullptr;
};

// Starts the roles as the user would after a kill and checks every file they
// own: whole, no temporary file left, no repair or load message. Returns what
// was wrong (nothing: clean).
std::vector<std::string> StartAndCheck(Roles& roles) {
  std::vector<std::string> bad;
  // What the killed processes left; anything still running goes the same way.
  KillProgramProcesses();
  roles = Roles{};
  roles.camera = Process::Start("");
  roles.cam = WaitCameraOrBox(roles.camera).camera;
  if (!roles.cam) return {"camera did not open: " + DescribeBoxes(0)};
  roles.viewer = Process::Start("viewer");
  roles.view = WaitViewer();
  if (!roles.view) return {"viewer did not open: " + DescribeBoxes(0)};
  const size_t noteFiles = Names(Stickies(), "*.bmp").size();
  if (noteFiles > 0 && !WaitUntil([&] { return TopWindows("TfrmStickyItem", "StickyItem").size() == noteFiles; }))
    bad.push_back("notes loaded: " + std::to_string(TopWindows("TfrmStickyItem", "StickyItem").size()) + " of " +
                  std::to_string(noteFiles));
  roles.camera.WaitIdle(5000);
  roles.viewer.WaitIdle(5000);
  if (!MessageBoxes(nullptr, 0).empty()) bad.push_back("a repair or load message: " + DescribeBoxes(0));
  const std::vector<std::string> temps = TemporaryFiles();
  if (!temps.empty()) bad.push_back(std::to_string(temps.size()) + " temporary file(s) left, e.g. " + temps.front());
  int pictures = 0, memos = 0;
  for (const std::string& f : SubFolders(DataFolder() + "Folders\\")) {
    const std::string folder = DataFolder() + "Folders\\" + f + "\\";
    for (const std::string& n : Names(folder, "*.bmp")) {
      if (!ReadBmpFile(folder + n)) bad.push_back("does not decode: " + folder + n);
      ++pictures;
    }
    for (const std::string& n : Names(folder, "*.rtf")) {
      auto b = Bytes(folder + n);
      if (!b || !CheckMemoFile(b->data(), b->size()).usable) bad.push_back("memo does not open: " + folder + n);
      ++memos;
    }
  }
  for (const std::string& n : Names(Stickies(), "*.bmp"))
    if (!ReadBmpFile(Stickies() + n)) bad.push_back("note does not decode: " + n);
  std::printf("checked: %d pictures, %d memos, %zu notes, %zu temporary files\n", pictures, memos, noteFiles,
              temps.size());
  return bad;
}

// Keeps the camera, the viewer and the sticky manager writing (ring stores,
// write-backs, memos, notes) until `stop` is there, a role is gone or
// `limitMs` has passed.
void Stream(const Roles& roles, const std::string& stop, DWORD limitMs) {
  const DWORD start = ::GetTickCount();
  int rounds = 0;
  auto alive = [&] {
    return !FileExists(stop) && roles.camera.Running() && roles.viewer.Running() && (::GetTickCount() - start) < limitMs;
  };
  HWND v = roles.view;
  while (alive()) {
    ++rounds;
    const std::vector<std::string> ring = Names(Ring(), "*.bmp");
    const std::string newest = ring.empty() ? std::string() : ring.back();
    Post(roles.cam, WM_COMMAND, CommandParam(flk::CommandId::FullScreen));
    // The capture stores into the ring under the next number and shows the viewer on it.
    WaitUntil([&] {
      const std::vector<std::string> now = Names(Ring(), "*.bmp");
      return !alive() || (!now.empty() && now.back() > newest);
    }, kStepMs);
    WaitUntil([] { return false; }, 150);
    if (!alive()) break;
    Do(v, ViewerCommand::Mirror);
    if (HWND memo = Memo(v)) {
      for (char c : std::string(" r") + char('0' + rounds % 10)) Post(memo, WM_CHAR, WPARAM(c));
    }
    ChooseFolder(v, 1);  // "Other": the mirrored picture and the memo are written
    WaitUntil([&] { return !alive() || ViewerStatus(v).find("Other") != std::string::npos; }, kStepMs);
    Do(v, ViewerCommand::Mirror);
    ChooseFolder(v, 0);
    WaitUntil([&] { return !alive() || ViewerStatus(v).find("LastCaptures") != std::string::npos; }, kStepMs);
    if (!alive()) break;
    // A note every other round; with more than two on the desktop the oldest
    // is closed, which writes its file.
    if (rounds % 2 == 0) {
      Do(v, ViewerCommand::Sticky);
      std::vector<HWND> notes = TopWindows("TfrmStickyItem", "StickyItem");
      if (notes.size() > 2) Post(notes.back(), WM_CLOSE);
    }
    // Messages a kill can cause in the survivors (a manager that lost its
    // note's sender) are answered so that the stream goes on.
    for (HWND box : MessageBoxes(nullptr, 0)) Answer(box, IDOK, 500);
    WaitUntil([] { return false; }, 100);
  }
  std::printf("stream: %d rounds in %lu ms (%s)\n", rounds, (unsigned long)(::GetTickCount() - start),
              FileExists(stop)               ? "told of the kill"
              : !roles.camera.Running()      ? "the camera is gone"
              : !roles.viewer.Running()      ? "the viewer is gone"
                                             : "time limit");
}

// The kill rounds in one run of the driver (FLK_FAULTS_ROUNDS, default 20):
// start and check, stream while the script kills, wait for its count, again;
// a last check after the last kill. Prints "check <r>: clean" or "check <r>:
// NOT clean" with the reasons for every check after a kill.
TEST(FaultsKill, Rounds) {
  SKIP_OUTSIDE_FAULTS_LAYER();
  KeepDesktopAlive();
  const int asked = std::atoi(Env("FLK_FAULTS_ROUNDS").c_str());
  const int rounds = asked > 0 ? asked : 20;
  ::CreateDirectoryA("C:\\FramelarkFaults", nullptr);
  ::CreateDirectoryA("C:\\FramelarkFaults\\sync", nullptr);
  int unclean = 0;
  for (int r = 1; r <= rounds + 1; ++r) {
    Roles roles;
    const DWORD t0 = ::GetTickCount();
    const std::vector<std::string> bad = StartAndCheck(roles);
    if (r > 1) {
      std::printf("check %d: %s in %lu ms\n", r - 1, bad.empty() ? "clean" : "NOT clean",
                  (unsigned long)(::GetTickCount() - t0));
      for (const std::string& b : bad) std::printf("  %s\n", b.c_str());
      unclean += !bad.empty();
    } else {
      EXPECT_TRUE(bad.empty()) << "the first start: " << bad.front();
    }
    std::fflush(stdout);
    if (r > rounds) break;
    if (!roles.cam || !roles.view) {
      ADD_FAILURE() << "round " << r << ": the roles did not start";
      break;
    }
    Put(SyncFile("ready", r), "");
    Stream(roles, SyncFile("killed", r), 20000);
    if (!WaitUntil([&] { return FileExists(SyncFile("counted", r)); }, 60000)) {
      ADD_FAILURE() << "round " << r << ": the script never counted";
      break;
    }
  }
  EXPECT_EQ(unclean, 0);
}

}  // namespace
}  // namespace flk::e2e
