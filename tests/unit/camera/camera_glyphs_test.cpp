#include "camera/camera_glyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace flk {
namespace {

bool Inside(const std::vector<ArtShape>& shapes, int w, int h) {
  for (const ArtShape& s : shapes)
    for (Point p : s.points)
      if (p.x < 0 || p.y < 0 || p.x > w || p.y > h) return false;
  return !shapes.empty();
}

std::set<Rgb> Colours(const std::vector<ArtShape>& shapes) {
  std::set<Rgb> c;
  for (const ArtShape& s : shapes) {
    if (s.kind != ArtShape::Line) c.insert(s.fill);
    c.insert(s.line);
  }
  return c;
}

TEST(CameraGlyphs, ToolInkMutesNormalImagesAndGreysDisabledOnes) {
  struct Case {
    Rgb in;
    bool hot, disabled;
    Rgb out;
  } cases[] = {
      {MakeRgb(200, 0, 0), true, false, MakeRgb(200, 0, 0)},
      {MakeRgb(0, 0, 0), false, false, MakeRgb(40, 40, 40)},
      {MakeRgb(255, 255, 255), false, false, MakeRgb(231, 231, 231)},
      {MakeRgb(0, 0, 0), false, true, MakeRgb(128, 128, 128)},
      {MakeRgb(255, 255, 255), true, true, MakeRgb(213, 213, 213)},
      {MakeRgb(200, 0, 0), false, true, MakeRgb(148, 148, 148)},
  };
  for (const Case& c : cases) EXPECT_EQ(ToolInk(c.in, c.hot, c.disabled), c.out) << std::hex << c.in;
}

TEST(CameraGlyphs, EveryPictureStaysOnItsCanvasAndEveryButtonLooksItsOwn) {
  std::set<std::vector<std::pair<int, int>>> looks;
  for (int i = 0; i < kToolButtonCount; ++i) {
    const ToolButton b = ToolButton(i);
    const std::vector<ArtShape> hot = ToolButtonArt(b, true, false);
    EXPECT_TRUE(Inside(hot, kToolImageSize, kToolImageSize)) << i;
    std::vector<std::pair<int, int>> look;
    for (const ArtShape& s : hot)
      for (Point p : s.points) look.emplace_back(p.x, p.y);
    EXPECT_TRUE(looks.insert(look).second) << i << " looks like another button";
    // The states differ in colour only, and a disabled image is grey.
    const std::vector<ArtShape> off = ToolButtonArt(b, false, true);
    ASSERT_EQ(off.size(), hot.size());
    for (Rgb c : Colours(off)) EXPECT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c) && RedOf(c) >= 128) << i;
  }
  for (TitleGlyph g : {TitleGlyph::Minimize, TitleGlyph::Maximize, TitleGlyph::Maximized, TitleGlyph::Close})
    EXPECT_TRUE(Inside(TitleGlyphArt(g, MakeRgb(240, 240, 240)), 10, 10)) << int(g);
  for (bool maximized : {false, true}) {
    const std::vector<ArtShape> strip = MinMaxCloseArt(maximized);
    EXPECT_TRUE(Inside(strip, kMinMaxCloseW, kMinMaxCloseH));
    EXPECT_EQ(Colours(strip), (std::set<Rgb>{MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)})) << "black on white";
  }
  EXPECT_NE(MinMaxCloseArt(false).size(), MinMaxCloseArt(true).size());
  EXPECT_TRUE(Inside(QuestionTileArt(), kQuestionTileSize, kQuestionTileSize));
  EXPECT_TRUE(Inside(LogoArt(), 16, 12));
}

TEST(TitleGlyphs, TheMiddleButtonRestoresWhileMaximized) {
  EXPECT_EQ(TitleGlyphsOf(false), (std::array<TitleGlyph, 3>{TitleGlyph::Minimize, TitleGlyph::Maximize,
                                                              TitleGlyph::Close}));
  EXPECT_EQ(TitleGlyphsOf(true)[1], TitleGlyph::Maximized);
  EXPECT_EQ(TitleGlyphsOf(true)[0], TitleGlyph::Minimize);
  EXPECT_EQ(TitleGlyphsOf(true)[2], TitleGlyph::Close);
}

}  // namespace
}  // namespace flk
