#include "output/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "output/file_formats_rows.h"

namespace flk {

const char* const kPngSoftwareText = "Framelark PNG writer (libpng " PNG_LIBPNG_VER_STRING ")";

namespace {

struct PngContext {
  std::FILE* out = nullptr;
  char message[200] = {};
};

void OnPngError(png_structp png, png_const_charp msg) {
  auto* ctx = static_cast<PngContext*>(png_get_error_ptr(png));
  std::snprintf(ctx->message, sizeof ctx->message, "%s", msg ? msg : "libpng error");
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, size_t length) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, ctx->out) != length) png_error(png, "write failed");
}

void OnPngFlush(png_structp png) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (std::fflush(ctx->out) != 0) png_error(png, "flush failed");
}

// Share of pixels in a row that repeat neither the pixel on their left nor
// the one above, in percent. Flat UI areas and text score low, photos high.
// Both rows must be readable one byte past their last pixel (the row
// buffers are 4 bytes per pixel wide, so RGB rows are).
template <int kBpp>
int BusyPercentOf(const uint8_t* row, const uint8_t* above, int width) {
  if (width < 2) return 0;
  constexpr uint32_t kMask = kBpp == 4 ? 0xFFFFFFFFu : 0x00FFFFFFu;
  auto load = [](const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v & kMask;
  };
  int busy = 0;
  uint32_t left = load(row);
  for (int x = 1; x < width; ++x) {
    uint32_t cur = load(row + size_t(x) * kBpp);
    bool same = cur == left || (above && cur == load(above + size_t(x) * kBpp));
    busy += !same;
    left = cur;
  }
  return int(int64_t(busy) * 100 / (width - 1));
}

int BusyPercent(const uint8_t* row, const uint8_t* above, int width, int bpp) {
  return bpp == 4 ? BusyPercentOf<4>(row, above, width) : BusyPercentOf<3>(row, above, width);
}

// Samples up to 32 row pairs spread over the picture.
bool MostlyBusy(RowReader* reader, int height, int width, int busyPercent, uint8_t* rowA, uint8_t* rowB) {
  if (height < 2) return false;
  const int samples = std::min(32, height - 1);
  int busy = 0;
  for (int k = 0; k < samples; ++k) {
    int y = 1 + int(int64_t(k) * (height - 1) / samples);
    std::memcpy(rowB, reader->Rgb(y - 1), size_t(width) * 3);
    std::memcpy(rowA, reader->Rgb(y), size_t(width) * 3);
    busy += BusyPercent(rowA, rowB, width, 3) > busyPercent;
  }
  return busy * 2 > samples;
}

// The part that runs under libpng's longjmp: nothing with a destructor lives
// here; all buffers belong to the caller.
bool EncodeRows(png_structp png, png_infop info, RowReader* reader, const Picture* picture,
                uint32_t transparent, const PngTuning* tuning, uint8_t* rowA, uint8_t* rowB) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int w = picture->width(), h = picture->height();
  const bool alpha = transparent != kNoTransparentColour;
  const int bpp = alpha ? 4 : 3;
  // Robo captures can be far taller than libpng's default limit of a million rows.
  png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_text text;
  std::memset(&text, 0, sizeof text);
  text.compression = PNG_TEXT_COMPRESSION_NONE;
  text.key = const_cast<png_charp>("Software");
  text.text = const_cast<png_charp>(kPngSoftwareText);
  text.text_length = std::strlen(kPngSoftwareText);
  png_set_text(png, info, &text, 1);

  png_set_compression_level(png, tuning->zlibLevel);
  png_set_compression_buffer_size(png, 1 << 17);
  int current = -1;
  auto useFilter = [&](int f) {
    if (f != current) {
      png_set_filter(png, PNG_FILTER_TYPE_BASE, f);
      current = f;
    }
  };
  switch (tuning->filter) {
    case PngFilterChoice::kNone: useFilter(PNG_FILTER_NONE); break;
    case PngFilterChoice::kPaeth: useFilter(PNG_FILTER_PAETH); break;
    case PngFilterChoice::kAdaptive: useFilter(PNG_ALL_FILTERS); break;
    case PngFilterChoice::kAuto:
      // All filter buffers are set up before the first row, so later
      // switches between NONE and PAETH cost nothing.
      useFilter(PNG_FILTER_NONE | PNG_FILTER_PAETH);
      // zlib's strategy is fixed for the whole stream: a picture whose sampled
      // rows are mostly photographic gets the one tuned for filtered data.
      png_set_compression_strategy(png, MostlyBusy(reader, h, w, tuning->busyPercent, rowA, rowB)
                                            ? Z_FILTERED
                                            : Z_DEFAULT_STRATEGY);
      break;
  }
  png_write_info(png, info);

  uint8_t* cur = rowA;
  uint8_t* prev = rowB;
  const uint32_t key = transparent & 0xFFFFFF;
  for (int y = 0; y < h; ++y) {
    const uint8_t* rgb = reader->Rgb(y);
    if (alpha) {
      for (int x = 0; x < w; ++x) {
        cur[4 * x] = rgb[3 * x];
        cur[4 * x + 1] = rgb[3 * x + 1];
        cur[4 * x + 2] = rgb[3 * x + 2];
        uint32_t c = (uint32_t(rgb[3 * x]) << 16) | (uint32_t(rgb[3 * x + 1]) << 8) | rgb[3 * x + 2];
        cur[4 * x + 3] = c == key ? 0 : 255;
      }
    } else {
      std::memcpy(cur, rgb, size_t(w) * 3);
    }
    if (tuning->filter == PngFilterChoice::kAuto)
      useFilter(BusyPercent(cur, y > 0 ? prev : nullptr, w, bpp) > tuning->busyPercent ? PNG_FILTER_PAETH
                                                                                        : PNG_FILTER_NONE);
    png_write_row(png, cur);
    std::swap(cur, prev);
  }
  png_write_end(png, info);
  png_write_flush(png);
  return true;
}

}  // namespace

bool WritePngStream(std::FILE* out, const Picture& picture, uint32_t transparent, SaveError* error,
                    const PngTuning& tuning) {
  auto fail = [&](const char* cls, const std::string& msg) {
    if (error) *error = SaveError{cls, msg, 0};
    return false;
  };
  if (picture.empty()) return fail(kErrorPng, "Error Writing PNG File! (empty picture)");
  PngContext ctx;
  ctx.out = out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnPngError, OnPngWarning);
  if (!png) return fail(kErrorPng, "Error Writing PNG File!");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return fail(kErrorPng, "Error Writing PNG File!");
  }
  png_set_write_fn(png, &ctx, OnPngWrite, OnPngFlush);
  RowReader reader(picture);
  const size_t rowBytes = size_t(picture.width()) * 4;
  std::vector<uint8_t> rowA(rowBytes), rowB(rowBytes);
  errno = 0;
  bool ok = EncodeRows(png, info, &reader, &picture, transparent, &tuning, rowA.data(), rowB.data());
  png_destroy_write_struct(&png, &info);
  if (!ok) {
    bool ioFailure = std::ferror(out) != 0;
    if (error)
      *error = SaveError{ioFailure ? kErrorWrite : kErrorPng, std::string("Error Writing PNG File! (") + ctx.message + ")",
                         ioFailure ? errno : 0};
    return false;
  }
  return true;
}

bool WritePng(const std::filesystem::path& fileName, const Picture& picture, uint32_t transparent,
              SaveError* error) {
  return WriteFileAtomically(
      fileName, [&](std::FILE* f, SaveError* e) { return WritePngStream(f, picture, transparent, e); }, error);
}

}  // namespace flk
