// Colour reduction for GIF output: a 256-entry palette made of the system's 20
// static colours (entries 0-9 and 246-255) and up to 236 colours chosen for the
// picture, and the mapping of every pixel to its nearest palette entry (no
// dithering).
//
// A picture whose colours, apart from the static ones, number 236 or fewer gets
// exactly those colours, so it survives unchanged. Otherwise Wu's
// variance-minimising cut of the colour cube picks the 236 boxes; each box's
// colour is the pixel-weighted mean of the full 8-bit colours inside it, not
// the centre of its 5-bit cell. Black and white are static colours and
// therefore always map to themselves.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/picture.h"

namespace flk {

inline constexpr int kGifStaticColours = 20;
inline constexpr int kGifPictureColours = 236;

// The 20 static colours of the system's default palette, in its order.
using StaticColours = std::array<Rgb, kGifStaticColours>;
extern const StaticColours kDefaultStaticColours;

using GifPaletteColours = std::array<Rgb, 256>;

struct QuantizeStats {
  int distinctColours = 0;  // distinct non-static colours found, capped at 237
  bool exact = false;       // every pixel has its own colour in the palette
  int boxes = 0;            // colours chosen for the picture
};

GifPaletteColours BuildGifPalette(const Picture& picture, const StaticColours& statics = kDefaultStaticColours,
                                  QuantizeStats* stats = nullptr);

// Nearest palette entry by squared RGB distance (lowest index on a tie), with
// a cache of recent answers.
class NearestColourMap {
 public:
  explicit NearestColourMap(const GifPaletteColours& palette);
  uint8_t Map(Rgb colour) {
    uint32_t key = colour & 0xFFFFFF;
    Slot& s = cache_[Hash(key)];
    if (s.key == key) return s.index;
    s.key = key;
    s.index = Search(key);
    return s.index;
  }
  // One row of B,G,R,X pixels to palette indices.
  void MapRow(const uint8_t* bgrx, int width, uint8_t* indices);

 private:
  struct Slot {
    uint32_t key = 0xFFFFFFFF;  // never a valid colour
    uint8_t index = 0;
  };
  static constexpr int kCacheBits = 16;
  static uint32_t Hash(uint32_t c) { return (c * 2654435761u) >> (32 - kCacheBits); }
  uint8_t Search(uint32_t colour) const;

  // Entries sorted by green, for a search that stops once green alone is too far.
  struct Entry {
    int r, g, b, index;
  };
  std::vector<Entry> byGreen_;
  std::vector<Slot> cache_;
};

}  // namespace flk
