// Colour-depth changes of a Picture: the capture depth chosen in the
// PixelFormatPro setting, conversion between any two depths, and the depth
// report of the viewer's properties.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk {

// Depth that a PixelFormatPro value asks for: 0 → the screen's own depth,
// 1 → 1, 2 → 4, 3 → 8, 4 → 15, 5 → 16, 6 → 24, 7 → 32 bits per pixel.
// Returns 0 when the picture is to stay as it is (any other value, or a
// screen depth that no picture can hold).
int PixelFormatDepth(int pixelFormatSetting, int screenBitsPerPixel);

// Converts the picture in place to the depth of the setting (see
// PixelFormatDepth). An empty picture, an unknown setting or the depth the
// picture already has leave it untouched. Returns false, with the picture
// unchanged and *error set, only when the converted copy would be too large.
bool ApplyPixelFormat(Picture& picture, int pixelFormatSetting, int screenBitsPerPixel,
                      std::string* error = nullptr);

// A copy of the picture at another depth.
//  - Deeper true-colour depths (24, 32) and palette depths at least as deep as
//    the source show every pixel exactly as before.
//  - 15 and 16 bit keep the top 5 (red, blue) and 5 or 6 (green) bits.
//  - 1, 4 and 8 bit: a picture with no more distinct colours than the table
//    holds gets exactly those colours (sorted, unused entries black). Otherwise
//    1 bit uses black and white, 4 bit the 16 standard VGA colours and 8 bit a
//    256-colour table chosen by Wu's variance-minimising quantiser. Every pixel
//    then takes its nearest table entry (squared RGB distance, lowest index on
//    ties), without dithering, so flat screen areas stay flat.
// Returns nothing (and sets *error) for an empty source, an unsupported depth,
// or a result larger than Picture::kMaxBytes.
std::optional<Picture> ConvertDepth(const Picture& source, int bitsPerPixel, std::string* error = nullptr);

// Bits per pixel as the viewer reports them: 1, 4, 8, 15 (16 when
// fifteenAs16), 16, 24, 32; 0 for an empty picture.
int ColorDepthOf(const Picture& picture, bool fifteenAs16);

// The 16 colours of the standard VGA / Windows 16-colour palette, in the
// system's order (black, maroon, green, olive, navy, purple, teal, silver,
// grey, red, lime, yellow, blue, fuchsia, aqua, white).
std::vector<PaletteEntry> StandardPalette16();

// The palette ConvertDepth uses for a 1, 4 or 8-bit result.
std::vector<PaletteEntry> ChoosePalette(const Picture& source, int bitsPerPixel);

// The colours of row y (top-down) as 0x00RRGGBB, width() values. Encoders and
// converters read pictures of every depth through this.
void RowToRgb(const Picture& picture, int y, Rgb* out);

}  // namespace flk
