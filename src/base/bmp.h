// Windows bitmap files (.bmp) and packed DIBs (the clipboard's CF_DIB: a
// BITMAPINFO block followed by the pixels, without the file header).
//
// Writing: every Picture depth, as Windows itself writes it — BITMAPFILEHEADER
// and BITMAPINFOHEADER, bottom-up rows; 15 bit as 16-bit BI_RGB (5-5-5),
// 16 bit as BI_BITFIELDS with 5-6-5 masks, 1/4/8 bit with a full colour table.
//
// Reading is the door for files the program did not write, so it trusts
// nothing: every header field, size and offset is checked before use, and a
// file is refused with a message that says what is wrong. It reads
//  - BITMAPCOREHEADER (OS/2 1.x, 3-byte colour entries), BITMAPINFOHEADER,
//    the 52/56-byte V2/V3 headers, V4 and V5, and OS/2 2.x headers (16 and 64
//    bytes) when uncompressed;
//  - 1, 2, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and top-down;
//  - BI_RGB, BI_RLE8 and BI_RLE4 (runs, absolute runs, delta, end of line,
//    end of bitmap; skipped pixels get colour index 0), BI_BITFIELDS and
//    BI_ALPHABITFIELDS with any contiguous, non-overlapping masks.
// It delivers the nearest Picture depth: palettes are kept for 1/4/8 bit (2 bit
// becomes 4 bit), 16-bit 5-5-5 → 15, 5-6-5 → 16, other 16-bit masks → 24,
// 32-bit → 32 (BGRX; alpha and unused bits dropped, other masks rescaled).
//
// Refused although Windows (or another reader) might show them:
//  - BI_JPEG, BI_PNG, the CMYK codes, OS/2 Huffman 1D and RLE24, 64 bpp;
//  - a file-size field larger than the data, or an image-size field reaching
//    past it (both signal a cut-off file);
//  - a colour table whose declared size overlaps the pixel data, and pixels
//    whose colour index lies beyond the table;
//  - RLE data that runs past the end of a row or of the picture, and
//    top-down RLE;
//  - a horizontal/vertical resolution ratio above 1000 or a negative one;
//  - pictures larger than the caller's limit (Picture::kMaxBytes by default).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk {

// Receives the file in pieces; returns false to stop writing.
using ByteSink = std::function<bool(const uint8_t* data, size_t size)>;

// The whole .bmp file; empty for an empty picture.
std::vector<uint8_t> EncodeBmp(const Picture& picture);
// Streams the file into the sink; false for an empty picture or when the sink
// refuses.
bool WriteBmp(const Picture& picture, const ByteSink& sink);
// Writes the file to an open stream (binary mode); false on a write error.
bool WriteBmp(const Picture& picture, std::FILE* file);
// BITMAPINFO block and bits as the clipboard wants them (CF_DIB).
std::vector<uint8_t> EncodePackedDib(const Picture& picture);

// Reads a .bmp file held in memory. On failure returns nothing and sets
// *error to a sentence such as "Not a bitmap file." or "Bitmap data is
// truncated.". maxPictureBytes bounds the decoded pixel buffer.
std::optional<Picture> DecodeBmp(const uint8_t* data, size_t size, std::string* error = nullptr,
                                 size_t maxPictureBytes = Picture::kMaxBytes);
inline std::optional<Picture> DecodeBmp(const std::vector<uint8_t>& file, std::string* error = nullptr) {
  return DecodeBmp(file.data(), file.size(), error);
}

// Reads a packed DIB (BITMAPINFO, optional masks and colour table, then the
// pixels directly after them).
std::optional<Picture> DecodePackedDib(const uint8_t* data, size_t size, std::string* error = nullptr,
                                       size_t maxPictureBytes = Picture::kMaxBytes);

// Reads a .bmp file from an open stream (binary mode) to its end.
std::optional<Picture> ReadBmp(std::FILE* file, std::string* error = nullptr);

}  // namespace flk
