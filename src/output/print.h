// Printing a picture, the arithmetic half: where on the page the picture
// goes, how large, and the pixels handed to the printer. print_win.h drives a
// real printer with it.
//
// A page keeps a margin of 25 screen pixels on every side, measured in printer
// pixels through the ratio of the printer's to the screen's pixels per inch.
// Print keeps the picture at its on-screen size and only shrinks one too large
// for the page; Print, Stretch Fit Page scales it, up or down, to the largest
// size that fits, keeping its proportions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk {

// Title of every print job, and its number of copies.
inline constexpr char kPrintJobTitle[] = "Framelark";
inline constexpr int kPrintCopies = 1;
// Page margin in screen pixels.
inline constexpr int kPrintMarginScreenPixels = 25;

// The printable page size in screen pixels, as the camera marks it on its
// view. Both 0 until something has been printed in this process.
struct PageMarks {
  int width = 0;
  int height = 0;
  friend bool operator==(const PageMarks&, const PageMarks&) = default;
};

// What the page arithmetic needs to know.
struct PrintPageInput {
  int printerDpiX = 0, printerDpiY = 0;  // LOGPIXELSX / LOGPIXELSY of the printer
  int screenDpiX = 0, screenDpiY = 0;    // the same of the screen
  int pageWidth = 0, pageHeight = 0;     // printable page in printer pixels (HORZRES / VERTRES)
  int pictureWidth = 0, pictureHeight = 0;
  bool fit = false;  // Print, Stretch Fit Page
};

// Where the picture goes, in printer pixels relative to the printable area.
struct PrintLayout {
  double scaleX = 0, scaleY = 0;  // printer pixels per screen pixel
  int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  int printableWidth = 0, printableHeight = 0;  // W and H
  PageMarks marks;                              // W, H in screen pixels
  double zoom = 0;                              // 1 = on-screen size
  int destLeft = 0, destTop = 0, destWidth = 0, destHeight = 0;
};

// The layout of one page, or nothing with *error set when there is nothing
// sensible to print: no picture, a resolution of 0, or a page with no room
// inside its margins.
std::optional<PrintLayout> ComputePrintLayout(const PrintPageInput& in, std::string* error = nullptr);

// The pixels as the printer receives them: 24 bits per pixel, or, when the
// screen is a palette device, 8 bits per pixel whose colour table is the
// system palette (each pixel takes its nearest entry). An empty picture gives
// an empty one; a palette that is not 256 entries long is completed with
// black entries.
Picture PrintSourcePicture(const Picture& picture, const std::vector<PaletteEntry>* systemPalette);


// Texts of the print failures that the printing services do not word
// themselves.
inline constexpr char kNoDefaultPrinterText[] = "There is no default printer currently selected.";
inline constexpr char kPrinterNotValidText[] = "Printer selected is not valid.";

}  // namespace flk
