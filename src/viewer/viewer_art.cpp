#include "viewer/viewer_art.h"

namespace flk {

namespace {

constexpr Rgb kOutline = MakeRgb(40, 40, 40);

}  // namespace

std::vector<ArtShape> ViewerIconArt(int i) {
  const Rgb white = MakeRgb(255, 255, 255), paper = MakeRgb(250, 250, 240), blue = MakeRgb(40, 90, 200),
            red = MakeRgb(210, 40, 40), green = MakeRgb(40, 150, 60), yellow = MakeRgb(250, 210, 60),
            grey = MakeRgb(150, 150, 150);
  ArtList g(kOutline);
  switch (i) {
    case 0:   // Print
    case 6:   // PrintFit
      g.Box(5, 2, 15, 9, paper);
      g.Box(2, 8, 18, 15, grey);
      g.Box(5, 13, 15, 19, paper);
      if (i == 6) {
        g.Line(7, 15, 13, 15, blue);
        g.Line(7, 17, 13, 17, blue);
      }
      break;
    case 1:   // Email
      g.Box(2, 5, 18, 16, paper);
      g.Line(2, 5, 10, 11, blue);
      g.Line(18, 5, 10, 11, blue);
      break;
    case 2:   // Copy
      g.Box(3, 3, 12, 14, paper);
      g.Box(8, 7, 17, 18, white);
      break;
    case 3:   // Save
    case 17:  // Save+1
      g.Box(3, 3, 17, 17, blue);
      g.Box(6, 3, 14, 8, white);
      g.Box(5, 11, 15, 17, paper);
      if (i == 17) {
        g.Line(8, 14, 12, 14, red, 2);
        g.Line(10, 12, 10, 16, red, 2);
      }
      break;
    case 5:   // Editor
      g.Poly({{4, 16}, {14, 3}, {17, 6}, {7, 19}}, yellow);
      g.Poly({{4, 16}, {7, 19}, {3, 20}}, grey);
      break;
    case 7:   // Sticky
      g.Poly({{3, 3}, {17, 3}, {17, 13}, {13, 17}, {3, 17}}, yellow);
      g.Line(6, 7, 14, 7, grey);
      g.Line(6, 10, 14, 10, grey);
      break;
    case 10:  // Delete
      g.Line(4, 4, 16, 16, red, 3);
      g.Line(16, 4, 4, 16, red, 3);
      break;
    case 11:  // Paste
      g.Box(4, 4, 16, 19, MakeRgb(190, 140, 80));
      g.Box(7, 2, 13, 6, grey);
      g.Box(7, 9, 17, 18, white);
      break;
    case 12:  // Mirror
      g.Poly({{9, 4}, {9, 16}, {2, 10}}, blue);
      g.Poly({{11, 4}, {11, 16}, {18, 10}}, green);
      break;
    case 13:  // Flip
      g.Poly({{4, 9}, {16, 9}, {10, 2}}, blue);
      g.Poly({{4, 11}, {16, 11}, {10, 18}}, green);
      break;
    case 14:  // Invert
      g.Round(3, 3, 17, 17, white);
      g.Poly({{10, 3}, {10, 17}, {5, 15}, {3, 10}, {5, 5}}, MakeRgb(20, 20, 20));
      break;
    case 16:  // Camera
      g.Box(2, 6, 18, 17, grey);
      g.Box(5, 3, 10, 6, grey);
      g.Round(6, 8, 14, 16, blue);
      break;
    case 18:  // Crop
      g.Line(6, 2, 6, 14, kOutline, 2);
      g.Line(6, 14, 18, 14, kOutline, 2);
      g.Line(2, 6, 14, 6, kOutline, 2);
      g.Line(14, 6, 14, 18, kOutline, 2);
      break;
    case 19:  // Properties
      g.Round(3, 3, 17, 17, blue);
      g.Line(10, 8, 10, 14, white, 2);
      g.Line(10, 5, 10, 6, white, 2);
      break;
    default:  // unused places of the list
      g.Box(5, 5, 15, 15, grey);
      break;
  }
  return g.Take();
}

std::vector<ArtShape> FolderManagerArt() {
  struct Snapshot {
    Rgb sky, hill;
  };
  const Snapshot shots[] = {{MakeRgb(126, 184, 236), MakeRgb(76, 160, 80)},
                            {MakeRgb(250, 176, 118), MakeRgb(150, 110, 70)},
                            {MakeRgb(120, 208, 204), MakeRgb(60, 130, 150)}};
  // Fanned from the top down; the lowest folder lies in front.
  const Point places[] = {{6, 4}, {2, 62}, {8, 120}};
  const Rgb edge = MakeRgb(150, 108, 28);
  ArtList g(kOutline);
  for (int i = 0; i < 3; ++i) {
    // One folder, 70 x 52: back with its tab, a snapshot, the front flap.
    g.at = places[i];
    const Snapshot& shot = shots[i];
    g.Poly({{2, 8}, {7, 1}, {27, 1}, {32, 8}}, MakeRgb(220, 170, 64), edge);
    g.Box(0, 7, 70, 50, MakeRgb(220, 170, 64), edge);
    g.Box(10, 3, 60, 38, MakeRgb(255, 255, 255), MakeRgb(128, 128, 128));
    g.Box(13, 6, 57, 35, shot.sky, shot.sky);
    g.Round(42, 9, 51, 18, MakeRgb(255, 226, 70), MakeRgb(240, 200, 40));
    g.Poly({{13, 34}, {13, 27}, {24, 17}, {33, 26}, {39, 22}, {56, 34}}, shot.hill, shot.hill);
    g.Poly({{0, 22}, {70, 22}, {67, 51}, {3, 51}}, MakeRgb(248, 208, 100), edge);
    g.Box(24, 30, 46, 37, MakeRgb(255, 236, 170), MakeRgb(196, 150, 50));
  }
  return g.Take();
}

void PaleIcon(uint8_t* px, size_t pixels) {
  for (size_t k = 0; k < pixels; ++k, px += 4) {
    if (px[0] == 255 && px[1] == 0 && px[2] == 255) continue;
    for (int c = 0; c < 3; ++c) px[c] = uint8_t((px[c] * 2 + 200) / 3);
  }
}

}  // namespace flk
