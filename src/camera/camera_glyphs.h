// The camera window's pictures as shape art at 96 DPI (base/art.h): the
// logo's camera, the title-bar glyphs, the black-on-white glyph strip of the
// floating panel, the question mark tile of a stale view and the toolbar
// images. Each drawing starts at (0, 0); the window side places and scales it.
#pragma once

#include <array>
#include <vector>

#include "base/art.h"
#include "camera/commands.h"

namespace flk {

enum class TitleGlyph { Minimize, Maximize, Maximized, Close };
// The title bar's three corner buttons, left to right: the middle one shows
// the restore glyph while the camera is maximized.
std::array<TitleGlyph, 3> TitleGlyphsOf(bool maximized);

// The logo's small camera: 16 x 12.
std::vector<ArtShape> LogoArt();
// A title button's glyph (10 x 10 or 9 x 10) on a button of the face colour.
std::vector<ArtShape> TitleGlyphArt(TitleGlyph glyph, Rgb face);
// imgMinMaxCloseBw / imgMinMaximizedCloseBw: 51 x 14, black on white.
inline constexpr int kMinMaxCloseW = 51, kMinMaxCloseH = 14;
std::vector<ArtShape> MinMaxCloseArt(bool maximized);
// imgQuestion: 45 x 45, its face and the disc the "?" is written on.
inline constexpr int kQuestionTileSize = 45;
std::vector<ArtShape> QuestionTileArt();
// A toolbar image, 20 x 20: normal images a little muted, hot ones in full
// colour, disabled ones in light greys.
inline constexpr int kToolImageSize = 20;
std::vector<ArtShape> ToolButtonArt(ToolButton button, bool hot, bool disabled);
// The colour a toolbar image shows for c in its state.
Rgb ToolInk(Rgb c, bool hot, bool disabled);

}  // namespace flk
