// The recall viewer against the real program: folders and their order, what
// the camera tells it, memos, edits written back on leaving a folder, paste
// and cut through the clipboard, unreadable files, its settings, and the
// camera request it sends.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>

#include "camera_scene.h"
#include "viewer/viewer_commands.h"

namespace flk::e2e {
namespace {

class ViewerTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteCurrentUserSettings();
    RemoveFolderTree(Folders());
    ::CreateDirectoryA(Folders().c_str(), nullptr);
  }
  void TearDown() override {
    CloseViewer();
    ProgramTest::TearDown();
    RemoveFolderTree(Folders());  // the other scenarios start without picture folders
  }

 public:
  static std::string Folders() { return DataFolder() + "Folders\\"; }
};

using Colour = std::function<uint32_t(int x, int y)>;

// A 24-bit bottom-up bitmap file or a packed DIB of it.
std::vector<uint8_t> Dib(int w, int h, const Colour& c, bool file) {
  const int stride = (w * 3 + 3) & ~3;
  const uint32_t bits = uint32_t(stride * h), head = file ? 14u : 0u;
  std::vector<uint8_t> b(head + 40 + bits);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  if (file) {
    b[0] = 'B';
    b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
  }
  put32(head, 40);
  put32(head + 4, uint32_t(w));
  put32(head + 8, uint32_t(h));
  b[head + 12] = 1;
  b[head + 14] = 24;
  put32(head + 20, bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t rgb = c(x, y);
      uint8_t* p = &b[head + 40 + size_t(h - 1 - y) * size_t(stride) + size_t(x) * 3];
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
    }
  return b;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void WritePicture(const std::string& path, int w, int h, const Colour& c) { WriteFile(path, Dib(w, h, c, true)); }

void MakeFolder(const std::string& name, std::initializer_list<const char*> pictures) {
  ::CreateDirectoryA((ViewerTest::Folders() + name).c_str(), nullptr);
  int k = 0;
  for (const char* p : pictures) {
    ++k;
    WritePicture(ViewerTest::Folders() + name + "\\" + p, 40 + k, 30, [k](int x, int y) {
      return uint32_t((x * 5) << 16 | (y * 7) << 8 | (k * 40));
    });
  }
}

uint32_t Asymmetric(int x, int y) { return uint32_t(x * 5 % 256) << 16 | uint32_t(y * 9 % 256) << 8 | 0x40; }

struct Viewer {
  Process process;
  HWND window = nullptr;
};

Viewer StartViewer() {
  Viewer v;
  v.process = Process::Start("viewer");
  v.window = WaitViewer();
  return v;
}

void Do(HWND v, ViewerCommand c) { Post(v, WM_COMMAND, WPARAM(CommandMenuId(c))); }
void ChooseFolder(HWND v, int index) { Post(v, WM_COMMAND, WPARAM(kFolderItemBase + index)); }
HWND Tabs(HWND v) { return ::FindWindowExA(v, nullptr, "SysTabControl32", nullptr); }
HWND Memo(HWND v) { return ::FindWindowExA(v, nullptr, "RichEdit20W", nullptr); }
int TabCount(HWND v) { return int(Send(Tabs(v), TCM_GETITEMCOUNT).value_or(-1)); }
int CurrentTab(HWND v) { return int(Send(Tabs(v), TCM_GETCURSEL).value_or(-1)); }
bool StatusStarts(HWND v, const std::string& prefix) {
  return WaitUntil([&] { return ViewerStatus(v).starts_with(prefix); });
}

TEST_F(ViewerTest, RecallOpensTheRingOnItsLastPictureAndTheCameraStoresIntoTheShownFolder) {
  MakeFolder("alpha", {"1.bmp"});
  MakeFolder("LastCaptures", {"9.bmp", "10.bmp", "2.bmp"});
  MakeFolder("Yonder", {});
  MakeFolder("Zed", {});
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, RECT{120, 100, 420, 360}));
  Command(s, flk::CommandId::OpenViewer);
  HWND v = WaitViewer();
  ASSERT_TRUE(v) << DescribeBoxes(0);
  EXPECT_TRUE(WaitViewerStatus(v, "3 pictures loaded from LastCaptures folder.")) << ViewerStatus(v);
  // Folders sorted without regard to case, then the manager's tab.
  EXPECT_EQ(TabCount(v), 5);
  EXPECT_EQ(CurrentTab(v), 1);
  // In text order: 10.bmp, 2.bmp, 9.bmp.
  Post(v, WM_KEYDOWN, VK_HOME);
  EXPECT_TRUE(WaitUntil([&] { return ViewerStatus(v).starts_with("1 / 3     ") &&
                                     ViewerStatus(v).find("     10.bmp     ") != std::string::npos; }))
      << ViewerStatus(v);
  Post(v, WM_KEYDOWN, VK_END);
  EXPECT_TRUE(WaitUntil([&] { return ViewerStatus(v).starts_with("3 / 3     ") &&
                                     ViewerStatus(v).find("     9.bmp     ") != std::string::npos; }))
      << ViewerStatus(v);
  // A store into the ring (the folder shown) appears at once as its newest picture.
  Command(s, flk::CommandId::StoreRing);
  EXPECT_TRUE(WaitUntil([&] { return ViewerStatus(v).find("     00000000") != std::string::npos; }))
      << ViewerStatus(v);
  const std::string ringCount = ViewerStatus(v).substr(0, ViewerStatus(v).find(' '));
  EXPECT_TRUE(ViewerStatus(v).starts_with(ringCount + " / " + ringCount + "     ")) << ViewerStatus(v);
  // A store into another folder changes nothing here; into the shown one it appears.
  ChooseFolder(v, 0);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from alpha folder.")) << ViewerStatus(v);
  EXPECT_EQ(CurrentTab(v), 0);
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, kFolderCommandBase + 3));  // Zed
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Picture added to Zed folder.")) << StatusText(s.cam.camera);
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(ViewerStatus(v), "1 pictures loaded from alpha folder.");
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, kFolderCommandBase + 0));
  EXPECT_TRUE(StatusStarts(v, "2 / 2     ")) << ViewerStatus(v);
  // An empty folder says so.
  ChooseFolder(v, 2);
  EXPECT_TRUE(WaitViewerStatus(v, "This folder is empty.")) << ViewerStatus(v);
}

TEST_F(ViewerTest, AMemoKeepsItsTextAndFormattingAndAnEmptiedOneIsRemoved) {
  MakeFolder("Notes", {"1.bmp", "2.bmp"});
  // A memo written by an earlier run, with a bold word.
  const std::string rtf = Folders() + "Notes\\2.rtf";
  const std::string old = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 plain {\\b bold}\\par}";
  WriteFile(rtf, std::vector<uint8_t>(old.begin(), old.end()));
  Viewer viewer = StartViewer();
  HWND v = viewer.window, memo = Memo(v);
  ASSERT_TRUE(v && memo);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(memo).starts_with("plain bold"); })) << WindowText(memo);
  // Typed at the end, left for the other picture: written with its formatting.
  Post(memo, EM_SETSEL, 10, 10);
  for (char c : std::string(" more")) Post(memo, WM_CHAR, WPARAM(c));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(memo).starts_with("plain bold more"); })) << WindowText(memo);
  Post(v, WM_KEYDOWN, VK_HOME);
  EXPECT_TRUE(StatusStarts(v, "1 / 2     "));
  EXPECT_EQ(WindowText(memo), "");
  auto written = [&] {
    FILE* f = std::fopen(rtf.c_str(), "rb");
    std::string t;
    if (!f) return t;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) t.append(buf, n);
    std::fclose(f);
    return t;
  };
  EXPECT_TRUE(WaitUntil([&] { return written().find("more") != std::string::npos; })) << written();
  EXPECT_NE(written().find("\\b"), std::string::npos) << "bold kept: " << written();
  Post(v, WM_KEYDOWN, VK_END);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(memo).starts_with("plain bold more"); })) << WindowText(memo);
  // Emptied and left: the memo file goes.
  Post(memo, EM_SETSEL, 0, -1);
  Post(memo, WM_KEYDOWN, VK_BACK);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(memo).empty(); }));
  Post(v, WM_KEYDOWN, VK_HOME);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(rtf); }));
  EXPECT_TRUE(FileExists(Folders() + "Notes\\2.bmp"));
}

// Folder A holds one asymmetric 50 x 20 picture (file), folder B a picture of
// its own to leave for; the viewer opens on A.
Viewer StartOnOnePictureIn(const std::string& file) {
  MakeFolder("A", {});
  MakeFolder("B", {"1.bmp"});
  WritePicture(file, 50, 20, Asymmetric);
  return StartViewer();
}

TEST_F(ViewerTest, MirrorIsWrittenBackOnlyWhenTheFolderIsLeftAndTwiceRestores) {
  const std::string file = Folders() + "A\\1.bmp";
  Viewer viewer = StartOnOnePictureIn(file);
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from A folder.")) << ViewerStatus(v);
  const double before = FileModified(file).value_or(0);
  Do(v, ViewerCommand::Mirror);
  WaitUntil([] { return false; }, 400);
  EXPECT_EQ(FileModified(file).value_or(-1), before) << "not written while the folder is shown";
  ChooseFolder(v, 1);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from B folder."));
  auto mirrored = ReadBmpFile(file);
  ASSERT_TRUE(mirrored);
  int bad = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) bad += mirrored->at(x, y) != Asymmetric(49 - x, y);
  EXPECT_EQ(bad, 0);
  // Twice, then closing the viewer: the original pixels.
  ChooseFolder(v, 0);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from A folder."));
  Do(v, ViewerCommand::Mirror);
  Do(v, ViewerCommand::Mirror);
  Do(v, ViewerCommand::Mirror);
  ASSERT_TRUE(CloseViewer());
  auto back = ReadBmpFile(file);
  ASSERT_TRUE(back);
  bad = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) bad += back->at(x, y) != Asymmetric(x, y);
  EXPECT_EQ(bad, 0);
}

// A picture file that cannot be written: a folder took its name behind the
// viewer's back. The edit stays with the viewer, which stays on the folder,
// and is written once the way is clear again.
TEST_F(ViewerTest, AnEditThatCannotBeWrittenBackKeepsTheViewerOnItsFolderAndIsWrittenLater) {
  const std::string file = Folders() + "A\\1.bmp";
  Viewer viewer = StartOnOnePictureIn(file);
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from A folder.")) << ViewerStatus(v);
  Do(v, ViewerCommand::Mirror);
  ASSERT_TRUE(::DeleteFileA(file.c_str()));
  ASSERT_TRUE(::CreateDirectoryA(file.c_str(), nullptr));
  ChooseFolder(v, 1);
  HWND box = WaitMessageBox("Framelark Warning", kWaitMs, viewer.process.pid());
  ASSERT_TRUE(box) << DescribeBoxes(0);
  EXPECT_NE(MessageBoxText(box).find("Note, 1 picture file(s) could't be saved."), std::string::npos)
      << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  // Still on A with the changed picture; the tab says so too.
  EXPECT_TRUE(StatusStarts(v, "1 / 1     ")) << ViewerStatus(v);
  EXPECT_EQ(CurrentTab(v), 0);
  // The way cleared, the next write-back writes the mirrored picture.
  ASSERT_TRUE(::RemoveDirectoryA(file.c_str()));
  ChooseFolder(v, 1);
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from B folder.")) << ViewerStatus(v);
  auto mirrored = ReadBmpFile(file);
  ASSERT_TRUE(mirrored) << "written on the second try";
  int bad = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) bad += mirrored->at(x, y) != Asymmetric(49 - x, y);
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(MessageBoxes("Framelark Warning", viewer.process.pid()).empty());
}

// Delete while another program holds the file open without sharing its
// deletion: the viewer says which file and why, and keeps the picture.
TEST_F(ViewerTest, APictureFileThatCannotBeDeletedIsReportedAndStaysListed) {
  MakeFolder("D", {"1.bmp", "2.bmp"});
  const std::string file = Folders() + "D\\2.bmp";
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  EXPECT_TRUE(WaitViewerStatus(v, "2 pictures loaded from D folder.")) << ViewerStatus(v);
  HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Do(v, ViewerCommand::Delete);
  HWND box = WaitMessageBox("Framelark Warning", kWaitMs, viewer.process.pid());
  ::CloseHandle(held);
  ASSERT_TRUE(box) << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Couldn't delete the picture file " + file), std::string::npos) << text;
  EXPECT_GT(text.size(), ("Couldn't delete the picture file " + file).size() + 4) << "with the system's reason: " << text;
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(FileExists(file));
  // Both pictures are still listed, the held one shown.
  Post(v, WM_KEYDOWN, VK_HOME);
  EXPECT_TRUE(StatusStarts(v, "1 / 2     ")) << ViewerStatus(v);
  Post(v, WM_KEYDOWN, VK_END);
  EXPECT_TRUE(StatusStarts(v, "2 / 2     ")) << ViewerStatus(v);
  EXPECT_NE(ViewerStatus(v).find("     2.bmp     "), std::string::npos) << ViewerStatus(v);
  // Free again: Delete takes it.
  Do(v, ViewerCommand::Delete);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(file); }));
  EXPECT_TRUE(StatusStarts(v, "1 / 1     ")) << ViewerStatus(v);
}

bool PutDibOnClipboard(const std::vector<uint8_t>& dib) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
  std::memcpy(::GlobalLock(g), dib.data(), dib.size());
  ::GlobalUnlock(g);
  const bool ok = ::SetClipboardData(CF_DIB, g) != nullptr;
  ::CloseClipboard();
  return ok;
}

TEST_F(ViewerTest, PasteTakesTheNextFreeNumberAndCutMovesAPictureToAnotherFolder) {
  MakeFolder("One", {"5.bmp", "6.bmp"});
  MakeFolder("Two", {});
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NxtFileNum", 5);
  ASSERT_TRUE(PutDibOnClipboard(Dib(33, 17, Asymmetric, false)));
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  EXPECT_TRUE(WaitViewerStatus(v, "2 pictures loaded from One folder.")) << ViewerStatus(v);
  Do(v, ViewerCommand::Paste);
  const std::string pasted = Folders() + "One\\7.bmp";
  ASSERT_TRUE(WaitUntil([&] { return FileExists(pasted); })) << DescribeBoxes(0);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NxtFileNum"), 8u);
  EXPECT_TRUE(StatusStarts(v, "3 / 3     ")) << ViewerStatus(v);
  auto p = ReadBmpFile(pasted);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->width, 33);
  int bad = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 33; ++x) bad += p->at(x, y) != Asymmetric(x, y);
  EXPECT_EQ(bad, 0);
  // Cut: on the clipboard, gone from the folder with its memo; pasted into Two.
  WriteFile(Folders() + "One\\7.rtf", {'{', '}'});
  Do(v, ViewerCommand::Cut);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(pasted) && !FileExists(Folders() + "One\\7.rtf"); }));
  EXPECT_TRUE(StatusStarts(v, "2 / 2     ")) << ViewerStatus(v);
  ChooseFolder(v, 1);
  EXPECT_TRUE(WaitViewerStatus(v, "This folder is empty."));
  Do(v, ViewerCommand::Paste);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(Folders() + "Two\\8.bmp"); })) << DescribeBoxes(0);
  auto moved = ReadBmpFile(Folders() + "Two\\8.bmp");
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->width, 33);
  EXPECT_EQ(moved->at(3, 4), Asymmetric(3, 4));
}

TEST_F(ViewerTest, AnUnreadablePictureIsReportedOnceAndLeftOnDisk) {
  MakeFolder("Mixed", {"1.bmp"});
  const std::string bad = Folders() + "Mixed\\2.bmp";
  WriteFile(bad, {'B', 'M', 1, 2, 3, 4, 5});
  Viewer viewer = StartViewer();
  ASSERT_TRUE(viewer.window);
  HWND box = WaitMessageBox("Framelark Warning", kWaitMs, viewer.process.pid());
  ASSERT_TRUE(box) << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Couldn't load this image: " + bad), std::string::npos) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(StatusStarts(viewer.window, "1 / 1     ")) << ViewerStatus(viewer.window);
  EXPECT_TRUE(FileExists(bad));
  // Once per run: a refresh does not bring it back, nor the warning.
  ChooseFolder(viewer.window, 0);
  WaitUntil([] { return false; }, 500);
  EXPECT_TRUE(MessageBoxes("Framelark Warning", viewer.process.pid()).empty());
}

TEST_F(ViewerTest, PlaceAndPanelsSurviveARestart) {
  MakeFolder("P", {"1.bmp"});
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerThumbHeight", 80);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerStatus", 1);
  Viewer viewer = StartViewer();
  ASSERT_TRUE(viewer.window);
  ::SetWindowPos(viewer.window, nullptr, 210, 130, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(viewer.window).left == 210; }));
  ASSERT_TRUE(CloseViewer());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerLeft"), 210u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerTop"), 130u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerWidth"), 640u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerThumbHeight"), 80u);
  Viewer again = StartViewer();
  ASSERT_TRUE(again.window);
  const RECT r = WindowRect(again.window);
  EXPECT_EQ(r.left, 210);
  EXPECT_EQ(r.right - r.left, 640);
  // The strip has the stored height (at this DPI).
  HWND strip = ::FindWindowExA(again.window, nullptr, "TPaintThumbs", nullptr);
  const RECT sr = WindowRect(strip);
  EXPECT_EQ(sr.bottom - sr.top, E2eScale()(80)) << "strip";
}

void ClickRow(HWND list, int row) {
  const int h = int(Send(list, LB_GETITEMHEIGHT, 0).value_or(15));
  const LPARAM at = MAKELPARAM(10, row * h + h / 2);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(list, WM_LBUTTONUP, 0, at);
}

HWND WaitDialog(const char* cls) { return WaitWindow(cls, nullptr, true); }
void SetText(HWND w, const std::string& t) { ::SendMessageTimeoutA(w, WM_SETTEXT, 0, LPARAM(t.c_str()), 0, 5000, nullptr); }
std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const int n = int(Send(list, LB_GETCOUNT).value_or(0));
  for (int i = 0; i < n; ++i) {
    wchar_t buf[256] = L"";
    ::SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(i), LPARAM(buf), 0, 5000, nullptr);
    char narrow[512] = "";
    ::WideCharToMultiByte(CP_UTF8, 0, buf, -1, narrow, sizeof narrow, nullptr, nullptr);
    items.push_back(narrow);
  }
  return items;
}

TEST_F(ViewerTest, FolderManagerAddsRenamesAndDeletesWithTheFileCount) {
  MakeFolder("Alpha", {"1.bmp", "2.bmp"});
  WriteFile(Folders() + "Alpha\\1.rtf", {'{', '}'});
  MakeFolder("Beta", {"1.bmp"});
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  EXPECT_TRUE(WaitViewerStatus(v, "2 pictures loaded from Alpha folder.")) << ViewerStatus(v);
  Do(v, ViewerCommand::FolderWiz);
  HWND wiz = WaitDialog("TfrmFolderWiz");
  ASSERT_TRUE(wiz) << DescribeBoxes(0);
  HWND list = ::GetDlgItem(wiz, 602), del = ::GetDlgItem(wiz, 605);
  std::string base = DataFolder();
  for (char& c : base) c = char(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(WindowText(::GetDlgItem(wiz, 607)), "Picture folders located at: " + base + "Folders\\");
  // Two names one after the other, then an empty one closes the name dialog.
  ASSERT_TRUE(PressButton(wiz, "Add"));
  HWND name = WaitDialog("TfrmAddFolder");
  ASSERT_TRUE(name);
  for (const char* n : {"trips", "Art"}) {
    SetText(::GetDlgItem(name, 502), n);
    ASSERT_TRUE(PressButton(name, 505));
    EXPECT_TRUE(WaitUntil([&] { return DirectoryExists(Folders() + n); })) << n;
  }
  EXPECT_TRUE(WaitUntil([&] { return WindowText(::GetDlgItem(name, 502)).empty(); }));
  ASSERT_TRUE(PressButton(name, 505));
  EXPECT_TRUE(WaitGone(name));
  EXPECT_EQ(ListItems(list), (std::vector<std::string>{"Alpha", "Art", "Beta", "trips"}));
  // The shown folder gets a new name.
  ClickRow(list, 0);
  ASSERT_TRUE(WaitUntil([&] { return Send(list, LB_GETCURSEL).value_or(-1) == 0; }));
  ASSERT_TRUE(PressButton(wiz, "Rename"));
  name = WaitDialog("TfrmAddFolder");
  ASSERT_TRUE(name);
  EXPECT_EQ(WindowText(::GetDlgItem(name, 502)), "Alpha");
  SetText(::GetDlgItem(name, 502), "Gamma");
  ASSERT_TRUE(PressButton(name, 505));
  EXPECT_TRUE(WaitGone(name));
  EXPECT_TRUE(FileExists(Folders() + "Gamma\\2.bmp"));
  // Deleting a folder with three files asks, naming the count; Cancel keeps it.
  std::vector<std::string> items = ListItems(list);
  const int at = int(std::find(items.begin(), items.end(), "Gamma") - items.begin());
  for (int answer : {IDCANCEL, IDOK}) {
    ClickRow(list, at);
    ASSERT_TRUE(WaitUntil([&] { return Send(list, LB_GETCURSEL).value_or(-1) == at; }));
    ASSERT_TRUE(Post(wiz, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), LPARAM(del)));
    HWND box = WaitMessageBox("Warning", kWaitMs, viewer.process.pid());
    ASSERT_TRUE(box) << DescribeBoxes(0);
    EXPECT_EQ(MessageBoxText(box), "Are you sure you want to delete Gamma\n and all 3 files in it?");
    ASSERT_TRUE(Answer(box, answer));
    EXPECT_EQ(WaitUntil([&] { return !DirectoryExists(Folders() + "Gamma"); }, answer == IDOK ? kWaitMs : 300),
              answer == IDOK);
  }
  // Down to one folder: Delete is disabled.
  for (const char* n : {"Art", "trips"}) {
    items = ListItems(list);
    const int row = int(std::find(items.begin(), items.end(), n) - items.begin());
    ClickRow(list, row);
    ASSERT_TRUE(WaitUntil([&] { return Send(list, LB_GETCURSEL).value_or(-1) == row; }));
    ASSERT_TRUE(Post(wiz, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), LPARAM(del)));  // empty: no question
    EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(Folders() + n); })) << n;
  }
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(del); }));
  ASSERT_TRUE(PressButton(wiz, "Close"));
  // The shown folder went: the viewer shows the first (now only) folder.
  EXPECT_TRUE(WaitViewerStatus(v, "1 pictures loaded from Beta folder.")) << ViewerStatus(v);
  EXPECT_EQ(TabCount(v), 2);
}


// A viewer too narrow for its tool bar shows More at the right, 31 pixels at
// its scale, and a click on it drops the menu of the tool commands.
TEST_F(ViewerTest, MoreDropsTheToolMenuWhenTheBarDoesNotFit) {
  MakeFolder("M", {"1.bmp"});
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  RECT r = WindowRect(v);
  ASSERT_TRUE(::SetWindowPos(v, nullptr, r.left, r.top, E2eScale()(420), r.bottom - r.top, SWP_NOZORDER));
  HWND bar = ::FindWindowExA(v, nullptr, "ToolbarWindow32", nullptr);
  HWND more = bar ? ::FindWindowExA(v, bar, "ToolbarWindow32", nullptr) : nullptr;
  ASSERT_TRUE(more);
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(more); })) << "More is shown";
  RECT m = WindowRect(more);
  EXPECT_EQ(m.right - m.left, E2eScale()(31));
  EXPECT_LE(WindowRect(bar).right, m.left) << "the bar stops before More";
  const POINT on{(m.left + m.right) / 2, (m.top + m.bottom) / 2};
  MouseAt(on.x, on.y);
  WaitUntil([&] { return ::WindowFromPoint(on) == more; }, 2000);
  MouseAt(on.x, on.y, MOUSEEVENTF_LEFTDOWN);
  MouseAt(on.x, on.y, MOUSEEVENTF_LEFTUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenu(viewer.process.pid())) != nullptr; })) << "the menu drops";
  // Its last entry, Properties, describes the shown picture.
  Press({VK_UP});
  Press({VK_RETURN});
  HWND box = WaitMessageBox("Image Properties", kWaitMs, viewer.process.pid());
  ASSERT_TRUE(box) << DescribeBoxes(0);
  EXPECT_NE(MessageBoxText(box).find("M\\1.bmp"), std::string::npos) << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
}

TEST_F(ViewerTest, OptionsApplyEveryClickAtOnceAndTheChoicesAreKept) {
  MakeFolder("O", {"1.bmp"});
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  HWND bar = ::FindWindowExA(v, nullptr, "ToolbarWindow32", nullptr);
  ASSERT_TRUE(bar);
  EXPECT_EQ(WindowRect(bar).bottom - WindowRect(bar).top, E2eScale()(44) - 4);
  Do(v, ViewerCommand::Options);
  HWND dlg = WaitDialog("TfrmViewerOptions");
  ASSERT_TRUE(dlg) << DescribeBoxes(0);
  EXPECT_EQ(WindowText(dlg), "Customize Viewer");
  HWND panels = ::GetDlgItem(dlg, 402), buttons = ::GetDlgItem(dlg, 404);
  // Neither icons nor captions: no tool bar, and no buttons to choose.
  ClickRow(panels, 0);
  ClickRow(panels, 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(bar); }));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(buttons); }));
  // Captions only: 27 pixels of tool bar panel.
  ClickRow(panels, 1);
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(bar) && WindowRect(bar).bottom - WindowRect(bar).top == E2eScale()(27) - 4; }))
      << WindowRect(bar).bottom - WindowRect(bar).top;
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(buttons) != 0; }));
  // The memo and the status bar go; the Camera button goes.
  ClickRow(panels, 2);
  ClickRow(panels, 3);
  ClickRow(buttons, 0);
  HWND memo = Memo(v), status = ::FindWindowExA(v, nullptr, "msctls_statusbar32", nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(memo) && !IsVisible(status); }));
  ASSERT_TRUE(PressButton(dlg, IDOK));
  EXPECT_TRUE(WaitGone(dlg));
  ASSERT_TRUE(CloseViewer());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerToolImages"), 0u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerToolText"), 1u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerMemo"), 0u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerStatus"), 0u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerbtnCamera"), 0u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerbtnCrop"), 1u);
}

TEST_F(ViewerTest, PropertiesDescribeTheShownPictureAndStickyPinsIt) {
  MakeFolder("S", {"1.bmp"});
  Viewer viewer = StartViewer();
  HWND v = viewer.window;
  ASSERT_TRUE(v);
  Do(v, ViewerCommand::Properties);
  HWND box = WaitMessageBox("Image Properties", kWaitMs, viewer.process.pid());
  ASSERT_TRUE(box) << DescribeBoxes(0);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Picture number: \t1 of 1"), std::string::npos) << text;
  EXPECT_NE(text.find("File path: \t" + Folders() + "S\\1.bmp"), std::string::npos) << text;
  EXPECT_NE(text.find("Width:      \t41 pixels"), std::string::npos) << text;
  EXPECT_NE(text.find("Color depth: \t24 bits"), std::string::npos) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  // A note of the shown picture, in the sticky manager's process.
  Do(v, ViewerCommand::Sticky);
  HWND note = WaitWindow("TfrmStickyItem", nullptr, true);
  EXPECT_TRUE(note) << DescribeBoxes(0);
  if (HWND manager = FindTop(kStickiesClass, kStickiesCaption)) {
    Post(manager, WM_CLOSE);
    WaitGone(manager);
  }
  const std::string stickies = DataFolder() + "Stickies\\";
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((stickies + "*.bmp").c_str(), &d);
  int notes = 0;
  if (f != INVALID_HANDLE_VALUE) {
    do {
      ++notes;
      ::DeleteFileA((stickies + d.cFileName).c_str());
    } while (::FindNextFileA(f, &d));
    ::FindClose(f);
  }
  EXPECT_EQ(notes, 1) << "the note's file";
}

// A stand-in tray controller and camera (the driver's own windows): the
// viewer's Camera command posts its request to the first and decides by the
// second's place.
TEST_F(ViewerTest, CameraAsksForAFreshViewOrADelayedOneByOverlap) {
  MakeFolder("C", {"1.bmp"});
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerLeft", 100);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerTop", 100);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerWidth", 550);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerHeight", 400);
  for (bool overlap : {true, false}) {
    FakeRoleWindow tray(kTrayClass, kTrayCaption), camera(kCameraClass, kCameraCaption);
    const RECT at = overlap ? RECT{300, 300, 500, 500} : RECT{700, 600, 800, 700};
    ::SetWindowPos(camera.hwnd(), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Viewer viewer = StartViewer();
    ASSERT_TRUE(viewer.window);
    Do(viewer.window, ViewerCommand::Camera);
    auto request = tray.WaitFor(kWmCameraRequest);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->w, overlap ? 2u : 1u);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(viewer.window) != 0; })) << "the viewer steps aside";
    ASSERT_TRUE(CloseViewer());
  }
}

}  // namespace
}  // namespace flk::e2e
