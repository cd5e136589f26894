// The camera's outputs take exactly the pixels under the view: Save As and
// Save+1 files, the clipboard, the picture folders and the last-captures ring.
#include "camera_scene.h"

namespace flk::e2e {
namespace {

class CameraOutputsTest : public ProgramTest {};

constexpr RECT kCameraRect{120, 100, 120 + 300, 100 + 260};

void Open(Scene& s) {
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
}


std::string Folders() { return DataFolder() + "Folders\\"; }

TEST_F(CameraOutputsTest, CopyPutsThePixelsUnderTheViewOnTheClipboard) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  Command(s, flk::CommandId::Copy);
  ASSERT_TRUE(WaitStatus(s.cam.camera, "Copied to clipboard.")) << StatusText(s.cam.camera);
  auto clip = ReadClipboardDib();
  ASSERT_TRUE(clip);
  EXPECT_EQ(PatternMismatches(*clip, s.view), 0);
}

TEST_F(CameraOutputsTest, SaveAsWritesTheViewToTheChosenFile) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NsaSaveAsFormat", 1);
  std::string file = DataFolder() + "Captures\\viewfinder.bmp";
  ::CreateDirectoryA((DataFolder() + "Captures").c_str(), nullptr);
  ::DeleteFileA(file.c_str());
  Command(s, flk::CommandId::SaveAs);
  HWND dialog = WaitWindow(kDialogClass, "Save As", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(::SetDlgItemTextA(dialog, 0x47c, file.c_str()));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + file + "    ")) << StatusText(s.cam.camera);
  auto picture = ReadBmpFile(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->bitsPerPixel, 24);  // PixelFormatPro 6, the default
  EXPECT_EQ(PatternMismatches(*picture, s.view), 0);
}

TEST_F(CameraOutputsTest, OneBitFormatMakesATwoColourFileWhileCopyStaysFullColour) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "PixelFormatPro", 1);
  ::CreateDirectoryA((DataFolder() + "Captures").c_str(), nullptr);
  std::string remembered = DataFolder() + "Captures\\shot004.bmp";
  ::DeleteFileA(remembered.c_str());
  RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName", remembered);
  Command(s, flk::CommandId::IncSave);
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + remembered)) << StatusText(s.cam.camera);
  auto file = ReadBmpFile(remembered);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->bitsPerPixel, 1);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName"), DataFolder() + "Captures\\shot005.bmp");

  Command(s, flk::CommandId::Copy);
  ASSERT_TRUE(WaitStatus(s.cam.camera, "Copied to clipboard."));
  auto clip = ReadClipboardDib();
  ASSERT_TRUE(clip);
  EXPECT_GE(clip->bitsPerPixel, 24);
  EXPECT_EQ(PatternMismatches(*clip, s.view), 0);
}

TEST_F(CameraOutputsTest, StoreIntoTwoFoldersUsesConsecutiveNumbers) {
  ::CreateDirectoryA(Folders().c_str(), nullptr);
  ::CreateDirectoryA((Folders() + "Alpha").c_str(), nullptr);
  ::CreateDirectoryA((Folders() + "Beta").c_str(), nullptr);
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NxtFileNum", 7);
  // The Store menu lists Alpha, Beta (and LastCaptures once the ring exists).
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, kFolderCommandBase + 0));
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Picture added to Alpha folder.    ")) << StatusText(s.cam.camera);
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, kFolderCommandBase + 1));
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Picture added to Beta folder.    ")) << StatusText(s.cam.camera);
  auto a = ReadBmpFile(Folders() + "Alpha\\7.bmp");
  auto b = ReadBmpFile(Folders() + "Beta\\8.bmp");
  ASSERT_TRUE(a);
  ASSERT_TRUE(b);
  EXPECT_EQ(PatternMismatches(*a, s.view), 0);
  EXPECT_EQ(PatternMismatches(*b, s.view), 0);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NxtFileNum"), 9u);
}

TEST_F(CameraOutputsTest, RingKeepsTheFiveNewestOfSeven) {
  // Earlier scenarios may have left ring pictures; numbering starts after them.
  std::string ring = Folders() + "LastCaptures\\";
  WIN32_FIND_DATAA d;
  HANDLE find = ::FindFirstFileA((ring + "*.*").c_str(), &d);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((ring + d.cFileName).c_str());
    } while (::FindNextFileA(find, &d));
    ::FindClose(find);
  }
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  for (int i = 1; i <= 7; ++i) {
    Command(s, flk::CommandId::StoreRing);
    char name[32];
    std::snprintf(name, sizeof name, "%010d.bmp", i);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(ring + name); })) << name;
    ASSERT_TRUE(WaitStatus(s.cam.camera, "Stored to LastCaptures folder."));
  }
  for (int i = 1; i <= 7; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%010d.bmp", i);
    EXPECT_TRUE(WaitUntil([&] { return FileExists(ring + name) == (i >= 3); })) << name;
  }
  auto newest = ReadBmpFile(ring + "0000000007.bmp");
  ASSERT_TRUE(newest);
  EXPECT_EQ(PatternMismatches(*newest, s.view), 0);
}

}  // namespace
}  // namespace flk::e2e
