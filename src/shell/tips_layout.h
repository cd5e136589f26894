// How-to tips without the windows: the tip box's height and place, the point
// hint's place and arrow, the arrows themselves, the palette-screen test, and
// the list of tip keys that "Restore All No-Show-Again Dialogs" clears.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace flk {

class Settings;

// ---- tip box (TfrmNSA) -----------------------------------------------------

inline constexpr int kTipBoxClientWidth = 344;  // design-time client size
inline constexpr int kTipBoxClientHeight = 118;
inline constexpr int kTipBoxBaseLines = 9;
inline constexpr int kTipBoxTopmostMs = 500;           // Timer1 of the corner mode
inline constexpr unsigned kTipBoxTopmostFlags = 1811;  // SetWindowPos flags of Timer1

// Lines of the box: nine plus one per carriage return of the text.
int TipBoxLines(std::string_view text);
// The form's height: the lines times the height of the letter "A".
int TipBoxHeight(std::string_view text, int letterHeight);

// Where the form goes: the top-right corner (top 0, one pixel short of the
// right edge) or the screen's centre (halves rounded down).
Point TipBoxPosition(bool corner, int formWidth, int formHeight, int screenWidth, int screenHeight);
// The same on a work area anywhere on the virtual screen.
Point TipBoxPosition(bool corner, int formWidth, int formHeight, const Rect& screen);

// ---- point hint (TfrmHotPt) ------------------------------------------------

inline constexpr int kPointHintWidth = 271;
inline constexpr int kPointHintHeight = 155;
inline constexpr int kArrowSize = 20;

enum class HintCorner { LeftUp, LeftDown, RightUp, RightDown };

struct PointHintPlace {
  int left = 0, top = 0;  // the form on the screen
  HintCorner corner = HintCorner::LeftUp;
  int arrowLeft = 0, arrowTop = 0;  // the arrow shown, inside the form
  friend bool operator==(const PointHintPlace&, const PointHintPlace&) = default;
};

// Puts the form beside the point (x, y) so that the arrow in the corner
// nearest the point touches it: below and right of the point where there is
// room, otherwise above and/or left of it.
// arrowSize: kArrowSize at the form's display scale.
PointHintPlace PlacePointHint(int x, int y, int formWidth, int formHeight, int screenWidth, int screenHeight,
                              int arrowSize = kArrowSize);
// The same on a work area anywhere on the virtual screen (the one of the point).
PointHintPlace PlacePointHint(int x, int y, int formWidth, int formHeight, const Rect& screen,
                              int arrowSize = kArrowSize);

// The arrow of one corner as a polygon in its 20 x 20 cell: a head whose tip
// is the cell's corner pixel and a shaft running in from the cell's middle.
std::array<Point, 7> ArrowPolygon(HintCorner corner);

// ---- palette screens -------------------------------------------------------

inline constexpr int kRasterCapsPalette = 0x0100;  // RC_PALETTE

// A palette-based screen reports RC_PALETTE in RASTERCAPS; Windows also gives
// its colour-table size in NUMCOLORS (-1 on true-colour screens), while some
// drivers report -1 there even at 8 bits, so either sign counts.
bool IsPaletteScreen(int rasterCaps, int numColors);

inline constexpr char kColorDepthTipKey[] = "NsaColorDepth";
inline constexpr char kColorDepthTipCaption[] = "Recommendation";
inline constexpr int kColorDepthTipHelpContext = 1;
extern const char kColorDepthTipText[];

// ---- tip keys ---------------------------------------------------------------

inline constexpr char kTipCheckBoxCaption[] = "Don't show this message again.";

// The keys that "Restore All No-Show-Again Dialogs" clears, in its order.
inline constexpr std::array<const char*, 11> kNoShowAgainKeys = {
    "NsaColorDepth",     "NsaSaveAsFormat", "NsaNonMapiMsg", "NsaEdit",     "NsaBigImage", "NsaUseScissors",
    "NsaHiddenControls", "NsaResizeLimit",  "NsaCntrPt",     "NsaScrollPt", "NsaEteOff"};

// mnuNSAClick: clears every tip key and, when the daily tips were switched off
// (NextTip -1), starts them again at tip 1.
void RestoreAllNoShowAgainDialogs(Settings& settings);

}  // namespace flk
