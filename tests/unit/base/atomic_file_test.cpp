#include <gtest/gtest.h>

#include "output/decoders.h"
#include "base/atomic_file.h"
#include "output/png_writer.h"
#include "output/save_file.h"

namespace flk {
namespace {

using namespace flk::testing;
namespace fs = std::filesystem;

const std::vector<uint8_t> kOld = {'o', 'l', 'd', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};

TEST(AtomicFile, ReplacesAnExistingFileWithTheNewContent) {
  ScratchFolder dir;
  WriteAll(dir / "a.png", kOld);
  Picture p = MakeScreenLike(50, 40, 24, 1);
  SaveError err;
  ASSERT_TRUE(WritePng(dir / "a.png", p, kNoTransparentColour, &err)) << err.message;
  auto img = ReadPng(dir / "a.png");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"a.png"});
}

TEST(AtomicFile, AWriterThatFailsHalfWayLeavesTheOldFileAndNoTemporaryFile) {
  ScratchFolder dir;
  WriteAll(dir / "a.png", kOld);
  SaveError err;
  bool ok = WriteFileAtomically(
      dir / "a.png",
      [](std::FILE* f, SaveError* e) {
        std::vector<char> half(100000, 'x');
        std::fwrite(half.data(), 1, half.size(), f);
        *e = SaveError{kErrorWrite, "disk full", 28};
        return false;
      },
      &err);
  EXPECT_FALSE(ok);
  EXPECT_EQ(err.message, "disk full");
  EXPECT_EQ(ReadAll(dir / "a.png"), kOld);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"a.png"});
}

TEST(AtomicFile, AFailingWriterNeverCreatesTheTarget) {
  ScratchFolder dir;
  EXPECT_FALSE(WriteFileAtomically(dir / "new.png", [](std::FILE*, SaveError*) { return false; }, nullptr));
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(AtomicFile, ANameThatIsAFolderIsRefusedAndTheFolderKept) {
  ScratchFolder dir;
  fs::create_directory(dir / "x.png");
  WriteAll(dir / "x.png" / "inside.txt", kOld);
  SaveError err;
  EXPECT_FALSE(WritePng(dir / "x.png", MakeScreenLike(8, 8, 24, 1), kNoTransparentColour, &err));
  EXPECT_EQ(err.errorClass, kErrorCreate);
  EXPECT_NE(err.systemError, 0);
  EXPECT_TRUE(fs::is_directory(dir / "x.png"));
  EXPECT_EQ(ReadAll(dir / "x.png" / "inside.txt"), kOld);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"x.png"});
}

TEST(AtomicFile, AFolderThatCannotHoldFilesGivesACreateError) {
  ScratchFolder dir;
  WriteAll(dir / "plain", kOld);
  SaveError err;
  EXPECT_FALSE(WritePng(dir / "plain" / "a.png", MakeScreenLike(8, 8, 24, 1), kNoTransparentColour, &err));
  EXPECT_EQ(err.errorClass, kErrorCreate);
  EXPECT_NE(err.systemError, 0);
  EXPECT_EQ(ReadAll(dir / "plain"), kOld);
}

TEST(AtomicFile, AFullDeviceIsReportedAsAWriteError) {
  // /dev/full accepts opens and refuses every byte: the stream error must be
  // seen at flush time and reported as a write error.
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::FILE* f = std::fopen("/dev/full", "wb");
  ASSERT_TRUE(f);
  SaveError err;
  bool ok = WritePngStream(f, MakePhotoLike(200, 200, 1), kNoTransparentColour, &err);
  std::fclose(f);
  EXPECT_FALSE(ok);
  EXPECT_EQ(err.errorClass, kErrorWrite);
}

TEST(AtomicFile, UnicodeNamesInEveryFormat) {
  ScratchFolder dir;
  Picture p = MakeScreenLike(30, 20, 24, 3);
  const std::string stem = "Bild \xC3\x84\xC3\xB6 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";  // Ä ö 日本 😀
  for (int format = 2; format <= 5; ++format) {
    const char* ext[] = {"", "", ".bmp", ".gif", ".jpg", ".png"};
    fs::path target = PathFromUtf8(Utf8FromPath(dir.path()) + "/" + stem + ext[format]);
    SaveError err;
    ASSERT_TRUE(WritePictureFile(target, format, p, &err)) << err.message;
    ASSERT_TRUE(fs::exists(target));
    EXPECT_EQ(Utf8FromPath(target.filename()), stem + ext[format]);
    std::optional<DecodedImage> img;
    if (format == 3) img = ReadGif(target);
    if (format == 4) img = ReadJpeg(target);
    if (format == 5) img = ReadPng(target);
    if (format != 2) {
      ASSERT_TRUE(img) << format;
      if (format != 4) {
        EXPECT_EQ(FirstDifference(p, *img), "");
      }
    }
  }
  EXPECT_EQ(FolderEntries(dir.path()).size(), 4u);
}

TEST(AtomicFile, TemporaryNamesAreKnownByTheirOwnPatternOnly) {
  struct Row {
    const char* name;
    bool ours;
  } rows[] = {
      {"0000000042.bmp.0a1b2c3d.flktmp", true},
      {"3_10_20_.bmp.ffffffff.flktmp", true},
      {"x.00000000.flktmp", true},
      {".00000000.flktmp", false},            // no target name
      {"a.bmp.0A1B2C3D.flktmp", false},       // upper-case hex is not what we write
      {"a.bmp.0a1b2c3.flktmp", false},        // seven digits
      {"a.bmp.0a1b2c3d9.flktmp", false},      // nine digits
      {"a.bmp_0a1b2c3d.flktmp", false},       // no dot before the digits
      {"a.bmp.0a1b2c3g.flktmp", false},
      {"a.bmp.0a1b2c3d.flktmp.bmp", false},
      {"a.bmp.0a1b2c3d.tmp", false},
      {"notes.flktmp", false},
      {"0000000042.bmp", false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsTemporaryFileName(r.name), r.ours) << r.name;
}

TEST(AtomicFile, EveryTemporaryFileAWriterLeavesIsRecognised) {
  // A writer that never returns stands for a process killed mid-save: the
  // file it was writing is what a start must find.
  ScratchFolder dir;
  std::string seen;
  WriteFileAtomically(
      dir / "0000000007.bmp",
      [&](std::FILE*, SaveError*) {
        for (const std::string& name : FolderEntries(dir.path())) seen = name;
        return false;
      },
      nullptr);
  EXPECT_TRUE(IsTemporaryFileName(seen)) << seen;
}

TEST(AtomicFile, AStartRemovesLeftTemporaryFilesAndNothingElse) {
  ScratchFolder dir;
  for (const char* name : {"1.bmp", "1.rtf", "a.bmp.0a1b2c3d.flktmp", "b.rtf.12345678.flktmp", "user.flktmp",
                           "c.bmp.1234567.flktmp"})
    WriteAll(dir / name, kOld);
  fs::create_directory(dir / "sub.bmp.0a1b2c3d.flktmp");  // a folder is never ours
  WriteAll(dir / "sub.bmp.0a1b2c3d.flktmp" / "d.bmp.0a1b2c3d.flktmp", kOld);
  EXPECT_EQ(RemoveTemporaryFilesIn(dir.path()), 2);
  EXPECT_EQ(FolderEntries(dir.path()),
            (std::vector<std::string>{"1.bmp", "1.rtf", "c.bmp.1234567.flktmp", "sub.bmp.0a1b2c3d.flktmp",
                                      "user.flktmp"}));
  EXPECT_TRUE(fs::exists(dir / "sub.bmp.0a1b2c3d.flktmp" / "d.bmp.0a1b2c3d.flktmp")) << "not recursive";
  EXPECT_EQ(RemoveTemporaryFilesIn(dir / "missing"), 0);
}

}  // namespace
}  // namespace flk
