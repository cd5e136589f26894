// Save As through the real format chooser and save dialog, Save+1 numbering,
// and Make Email Attachment: the files hold the pixels under the view.
#include <algorithm>

#include "camera_scene.h"
#include "saved_images.h"

namespace flk::e2e {
namespace {

class SaveAsTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{120, 100, 120 + 300, 100 + 260};
constexpr char kChooserClass[] = "TfrmGrFormat";
constexpr char kChooserCaption[] = "File Format Selection";
constexpr int kSaveDialogName = 0x47c;    // edit box of the file name
constexpr int kSaveDialogFilter = 0x470;  // combo box of the file types

const std::string kFolder = "C:\\FramelarkSaveAs\\";

// The chooser opens centred below the mouse: away from the camera and far enough
// from the screen's right edge that it fits there also at 150 % (about 405 wide).
constexpr POINT kChooserAt{1000, 300};

void Open(Scene& s) {
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  ::SetCursorPos(kChooserAt.x, kChooserAt.y);
}

// A command, once the view shows the pattern that the saved file is compared with.
void CommandOnFreshView(const Scene& s, flk::CommandId id) {
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(s.view) == 0; })) << "the view does not show the pattern";
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(id)));
}

// A fresh, empty folder for the files of one scenario.
void CleanFolder() {
  ::CreateDirectoryA(kFolder.c_str(), nullptr);
  WIN32_FIND_DATAA d;
  HANDLE find = ::FindFirstFileA((kFolder + "*").c_str(), &d);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((kFolder + d.cFileName).c_str());
  } while (::FindNextFileA(find, &d));
  ::FindClose(find);
}

std::vector<std::string> FolderFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE find = ::FindFirstFileA((kFolder + "*").c_str(), &d);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(d.cFileName);
  } while (::FindNextFileA(find, &d));
  ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

HWND ChildButton(HWND parent, const std::string& text) {
  for (HWND b : Children(parent, "Button"))
    if (WindowText(b) == text) return b;
  return nullptr;
}

bool Checked(HWND button) { return Send(button, BM_GETCHECK).value_or(-1) == BST_CHECKED; }

// Clicks a radio button or check box of another process as the mouse would.
bool Click(HWND button) { return Send(button, BM_CLICK).has_value(); }

HWND WaitChooser(const Scene& s) {
  return WaitWindow(kChooserClass, kChooserCaption, true, kWaitMs, s.cam.process.pid());
}

HWND WaitSaveDialog(const Scene& s) { return WaitWindow(kDialogClass, "Save As", true, kWaitMs, s.cam.process.pid()); }

// Types `path` into the save dialog and presses Save.
void SaveDialogAccept(HWND dialog, const std::string& path) {
  ASSERT_TRUE(::SetDlgItemTextA(dialog, kSaveDialogName, path.c_str()));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitGone(dialog));
}

// Picks `radio` ("&PNG", ...) in the chooser and presses OK.
void ChooseFormat(const Scene& s, const std::string& radio) {
  HWND chooser = WaitChooser(s);
  ASSERT_TRUE(chooser) << DescribeBoxes(s.cam.process.pid());
  HWND button = ChildButton(chooser, radio);
  ASSERT_TRUE(button) << radio;
  ASSERT_TRUE(Click(button));
  ASSERT_TRUE(WaitUntil([&] { return Checked(button); })) << radio;
  ASSERT_TRUE(PressButton(chooser, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(chooser); }));
}

std::optional<std::string> SaveToFileName() { return RegString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName"); }

std::string ProgramFolder() {
  std::string p = ProgramPath();
  return p.substr(0, p.find_last_of('\\') + 1);
}

TEST_F(SaveAsTest, ChooserPngAndANameWithoutExtensionSaveAPng) {
  CleanFolder();
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  CommandOnFreshView(s, flk::CommandId::SaveAs);

  HWND chooser = WaitChooser(s);
  ASSERT_TRUE(chooser) << DescribeBoxes(s.cam.process.pid());
  HWND gif = ChildButton(chooser, "&GIF"), png = ChildButton(chooser, "&PNG");
  HWND nsa = ChildButton(chooser, "Don't show this message again.");
  ASSERT_TRUE(gif && png && nsa);
  // Centred horizontally on the mouse, its top at the mouse.
  const RECT placed = WindowRect(chooser);
  EXPECT_EQ(placed.left, kChooserAt.x - (placed.right - placed.left) / 2);
  EXPECT_EQ(placed.top, kChooserAt.y);
  // Nothing remembered yet: the default name ends in .gif.
  EXPECT_TRUE(Checked(gif));
  EXPECT_FALSE(Checked(png));
  EXPECT_FALSE(Checked(nsa));
  ASSERT_TRUE(Click(png));
  ASSERT_TRUE(Click(nsa));
  ASSERT_TRUE(WaitUntil([&] { return Checked(png) && Checked(nsa); }));
  EXPECT_FALSE(Checked(gif));
  ASSERT_TRUE(PressButton(chooser, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(chooser); }));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NsaSaveAsFormat"), 1u);

  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  // The PNG filter (the fifth) is selected.
  EXPECT_EQ(Send(::GetDlgItem(dialog, kSaveDialogFilter), CB_GETCURSEL), LRESULT(4));
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, kFolder + "chosen"));

  const std::string file = kFolder + "chosen.png";
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + file + "    "))
      << StatusText(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"chosen.png"});
  PngFacts facts;
  auto picture = ReadPngFile(file, &facts);
  ASSERT_TRUE(picture);
  EXPECT_EQ(PatternMismatches(*picture, s.view), 0);
  EXPECT_EQ(facts.bitDepth, 8);
  EXPECT_EQ(facts.colourType, 2);  // RGB
  EXPECT_EQ(facts.interlace, 0);
  ASSERT_EQ(facts.texts.size(), 1u);
  EXPECT_EQ(facts.texts[0].first, "Software");
  EXPECT_FALSE(facts.texts[0].second.empty());
  EXPECT_EQ(SaveToFileName(), kFolder + "chosen002.png");
  EXPECT_TRUE(HandToImageMagick(file, "chooser.png", s.view));

  // The ticked box silences the chooser: the next Save As opens the dialog
  // at once, with the remembered name's filter.
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  EXPECT_FALSE(IsVisible(chooser));
  EXPECT_EQ(Send(::GetDlgItem(dialog, kSaveDialogFilter), CB_GETCURSEL), LRESULT(4));
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(s.cam.process.WaitIdle());
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"chosen.png"});
  EXPECT_EQ(SaveToFileName(), kFolder + "chosen002.png");
}

TEST_F(SaveAsTest, JpegExtensionIsRefusedAndNothingIsWritten) {
  CleanFolder();
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  ASSERT_NO_FATAL_FAILURE(ChooseFormat(s, "&JPG"));
  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, kFolder + "refused.jpeg"));

  HWND box = WaitBoxOf(s.cam.process, "Framelark");
  ASSERT_TRUE(box) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(MessageBoxText(box), "Select GIF, JPG, PNG, or BMP graphic format.");
  EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_TRUE(FolderFiles().empty());
  // OK asks again: the chooser, still on JPG, then the dialog.
  ASSERT_TRUE(Answer(box, IDOK));
  HWND chooser = WaitChooser(s);
  ASSERT_TRUE(chooser) << DescribeBoxes(s.cam.process.pid());
  EXPECT_TRUE(Checked(ChildButton(chooser, "&JPG")));
  ASSERT_TRUE(PressButton(chooser, IDOK));
  dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, kFolder + "refused.jpeg"));
  box = WaitBoxOf(s.cam.process, "Framelark");
  ASSERT_TRUE(box) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(MessageBoxText(box), "Select GIF, JPG, PNG, or BMP graphic format.");
  // Cancel ends Save As.
  ASSERT_TRUE(Answer(box, IDCANCEL));
  EXPECT_TRUE(s.cam.process.WaitIdle());
  EXPECT_FALSE(IsVisible(chooser));
  EXPECT_FALSE(FindTop(kDialogClass, "Save As", s.cam.process.pid()));
  EXPECT_TRUE(FolderFiles().empty());
  EXPECT_EQ(SaveToFileName().value_or(""), "");
  EXPECT_EQ(StatusText(s.cam.camera).rfind("Saved to ", 0), std::string::npos) << StatusText(s.cam.camera);
}

TEST_F(SaveAsTest, AllFilesFilterWithoutExtensionAsksForAFormat) {
  CleanFolder();
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  ASSERT_NO_FATAL_FAILURE(ChooseFormat(s, "&PNG"));
  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  // The user picks "All (*.*)" in the file type list.
  HWND types = ::GetDlgItem(dialog, kSaveDialogFilter);
  ASSERT_TRUE(types);
  ASSERT_EQ(Send(types, CB_SETCURSEL, 0), LRESULT(0));
  ASSERT_TRUE(Send(dialog, WM_COMMAND, MAKEWPARAM(kSaveDialogFilter, CBN_SELENDOK), LPARAM(types)));
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, kFolder + "noformat"));
  HWND box = WaitBoxOf(s.cam.process, "Framelark");
  ASSERT_TRUE(box) << DescribeBoxes(s.cam.process.pid()) << StatusText(s.cam.camera);
  EXPECT_EQ(MessageBoxText(box), "Select GIF, JPG, PNG, or BMP graphic format.");
  ASSERT_TRUE(Answer(box, IDCANCEL));
  EXPECT_TRUE(s.cam.process.WaitIdle());
  EXPECT_TRUE(FolderFiles().empty());
  EXPECT_EQ(SaveToFileName().value_or(""), "");
}

TEST_F(SaveAsTest, ChooserAndDialogStartFromTheRememberedName) {
  CleanFolder();
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName", kFolder + "shot.jpg");
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  HWND chooser = WaitChooser(s);
  ASSERT_TRUE(chooser) << DescribeBoxes(s.cam.process.pid());
  EXPECT_TRUE(Checked(ChildButton(chooser, "&JPG")));
  EXPECT_FALSE(Checked(ChildButton(chooser, "&GIF")));
  ASSERT_TRUE(PressButton(chooser, IDOK));
  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(Send(::GetDlgItem(dialog, kSaveDialogFilter), CB_GETCURSEL), LRESULT(3));
  // The name is offered without its extension.
  char typed[MAX_PATH] = {};
  ::GetDlgItemTextA(dialog, kSaveDialogName, typed, MAX_PATH);
  EXPECT_NE(std::string(typed).find("shot"), std::string::npos) << typed;
  EXPECT_EQ(std::string(typed).find(".jpg"), std::string::npos) << typed;
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitGone(dialog));
  // Cancel in the chooser ends Save As as well.
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  chooser = WaitChooser(s);
  ASSERT_TRUE(chooser) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(PressButton(chooser, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(chooser); }));
  EXPECT_TRUE(s.cam.process.WaitIdle());
  EXPECT_FALSE(FindTop(kDialogClass, "Save As", s.cam.process.pid()));
  EXPECT_TRUE(FolderFiles().empty());
  EXPECT_EQ(SaveToFileName(), kFolder + "shot.jpg");
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NsaSaveAsFormat").value_or(0), 0u);
}

TEST_F(SaveAsTest, SavePlusOneContinuesFromTheSavedName) {
  CleanFolder();
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  ASSERT_NO_FATAL_FAILURE(ChooseFormat(s, "&BMP"));
  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(Send(::GetDlgItem(dialog, kSaveDialogFilter), CB_GETCURSEL), LRESULT(1));
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, kFolder + "a.bmp"));
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + kFolder + "a.bmp    "))
      << StatusText(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  const uint64_t size = FileSize(kFolder + "a.bmp").value_or(0);
  EXPECT_EQ(StatusText(s.cam.camera), "Saved to " + kFolder + "a.bmp    " + std::to_string((size + 1023) / 1024) + " KiB");
  EXPECT_EQ(SaveToFileName(), kFolder + "a002.bmp");

  for (const char* name : {"a002.bmp", "a003.bmp"}) {
    CommandOnFreshView(s, flk::CommandId::IncSave);
    ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + kFolder + name + "    "))
        << name << ": " << StatusText(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  }
  EXPECT_FALSE(FindTop(kChooserClass, kChooserCaption, s.cam.process.pid()) &&
               IsVisible(FindTop(kChooserClass, kChooserCaption, s.cam.process.pid())));
  EXPECT_EQ(SaveToFileName(), kFolder + "a004.bmp");
  EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"a.bmp", "a002.bmp", "a003.bmp"}));
  for (const char* name : {"a.bmp", "a002.bmp", "a003.bmp"}) {
    auto picture = ReadBmpFile(kFolder + name);
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(PatternMismatches(*picture, s.view), 0) << name;
  }
  EXPECT_TRUE(HandToImageMagick(kFolder + "a003.bmp", "plus_one.bmp", s.view));
}

TEST_F(SaveAsTest, BitmapSavedIntoThePictureFoldersTellsTheViewer) {
  const std::string folders = DataFolder() + "Folders\\";
  ::CreateDirectoryA(folders.c_str(), nullptr);
  const std::string file = folders + "fromsave.bmp";
  ::DeleteFileA(file.c_str());
  FakeRoleWindow viewer(kViewerClass, kViewerCaption);
  ASSERT_TRUE(viewer.hwnd());
  Scene s;
  ASSERT_NO_FATAL_FAILURE(Open(s));
  CommandOnFreshView(s, flk::CommandId::SaveAs);
  ASSERT_NO_FATAL_FAILURE(ChooseFormat(s, "&BMP"));
  HWND dialog = WaitSaveDialog(s);
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_NO_FATAL_FAILURE(SaveDialogAccept(dialog, folders + "fromsave"));
  ASSERT_TRUE(WaitStatusPrefix(s.cam.camera, "Saved to " + file + "    "))
      << StatusText(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  // "Folders changed" (-2); the ring copy may have sent its own notice too.
  auto foldersChanged = [&] {
    for (const auto& m : viewer.received())
      if (m.msg == kWmViewerNotify && m.w == WPARAM(INT_PTR(-2))) return true;
    return false;
  };
  EXPECT_TRUE(WaitUntil(foldersChanged));
  auto picture = ReadBmpFile(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(PatternMismatches(*picture, s.view), 0);
  ::DeleteFileA(file.c_str());
}

TEST_F(SaveAsTest, EmailAttachmentIsAJpegBesideTheProgramWithItsPathOnTheClipboard) {
  const std::string file = ProgramFolder() + "Framelark.jpg";
  ::DeleteFileA(file.c_str());
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  // JPEG is lossy: the camera looks at gentle gradients.
  ColourWindow field(kPatternRect, SmoothColour);
  ASSERT_TRUE(field.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  const RECT view = ViewOnScreen(WindowRect(cam.camera));
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(view, SmoothColour) == 0; }));
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::MakeEmailAttachment)));

  HWND box = WaitBoxOf(cam.process, nullptr);
  ASSERT_TRUE(box) << StatusText(cam.camera);
  EXPECT_EQ(MessageBoxText(box),
            "JPG file created.\n\nThe path to this file is ready on the Windows clipboard.\n\n"
            "(Use this for replies or to attach multiple images.)");
  EXPECT_EQ(ButtonTexts(box), std::vector<std::string>{"OK"});
  EXPECT_EQ(ClipboardText(), file);
  EXPECT_TRUE(WaitStatusPrefix(cam.camera, "Saved to " + file + "    ")) << StatusText(cam.camera);
  ASSERT_TRUE(Answer(box, IDOK));

  JpegFacts facts;
  auto picture = ReadJpegFile(file, &facts);
  ASSERT_TRUE(picture);
  EXPECT_EQ(facts.components, 3);
  EXPECT_FALSE(facts.progressive);
  EXPECT_TRUE(facts.quality75);
  ASSERT_EQ(picture->width, view.right - view.left);
  ASSERT_EQ(picture->height, view.bottom - view.top);
  EXPECT_GT(PictureColourPsnr(*picture, view, SmoothColour), 30.0);
  EXPECT_EQ(SaveToFileName().value_or(""), "");  // the attachment is not remembered
  EXPECT_TRUE(HandToImageMagick(file, "attachment.jpg", view, SmoothColour));
}

}  // namespace
}  // namespace flk::e2e
