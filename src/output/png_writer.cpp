#include "output/png_writer.h"

#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "output/file_formats_rows.h"
#include "output/png_filters.h"

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

// Samples up to 32 row pairs spread over the picture.
bool MostlyBusy(RowReader* reader, int height, int width, int busyPercent, uint8_t* rowA, uint8_t* rowB) {
  if (height < 2) return false;
  const int samples = std::min(32, height - 1);
  int busy = 0;
  for (int k = 0; k < samples; ++k) {
    int y = 1 + int(int64_t(k) * (height - 1) / samples);
    std::memcpy(rowB, reader->Rgb(y - 1), size_t(width) * 3);
    std::memcpy(rowA, reader->Rgb(y), size_t(width) * 3);
    busy += PngBusyPercent(rowA, rowB, width, 3) > busyPercent;
  }
  return busy * 2 > samples;
}

// Row y as the file holds it: RGB, or RGBA with the transparent colour at alpha 0.
void RawRow(RowReader* reader, int y, int w, bool alpha, uint32_t key, uint8_t* out) {
  const uint8_t* rgb = reader->Rgb(y);
  if (!alpha) {
    std::memcpy(out, rgb, size_t(w) * 3);
    return;
  }
  for (int x = 0; x < w; ++x) {
    out[4 * x] = rgb[3 * x];
    out[4 * x + 1] = rgb[3 * x + 1];
    out[4 * x + 2] = rgb[3 * x + 2];
    uint32_t c = (uint32_t(rgb[3 * x]) << 16) | (uint32_t(rgb[3 * x + 1]) << 8) | rgb[3 * x + 2];
    out[4 * x + 3] = c == key ? 0 : 255;
  }
}

// The part that runs under libpng's longjmp: nothing with a destructor lives
// here; all buffers belong to the caller.
bool EncodeRows(png_structp png, png_infop info, RowReader* reader, const Picture* picture,
                uint32_t transparent, const PngTuning* tuning, uint8_t* rowA, uint8_t* rowB, SaveProgress* progress) {
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
    RawRow(reader, y, w, alpha, key, cur);
    if (tuning->filter == PngFilterChoice::kAuto)
      useFilter(PngBusyPercent(cur, y > 0 ? prev : nullptr, w, bpp) > tuning->busyPercent ? PNG_FILTER_PAETH
                                                                                        : PNG_FILTER_NONE);
    png_write_row(png, cur);
    std::swap(cur, prev);
    if ((y & 63) == 63) ReportProgress(progress, int(int64_t(y) * 1000 / h));
  }
  png_write_end(png, info);
  png_write_flush(png);
  ReportProgress(progress, 1000);
  return true;
}

// ---- the libdeflate way: the whole filtered picture in memory ----

struct Buffer {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  // Uninitialised on purpose: every byte is written before it is read.
  bool Allocate(size_t n) {
    bytes.reset(new (std::nothrow) uint8_t[n]);
    size = bytes ? n : 0;
    return bool(bytes);
  }
};

void PutBigEndian(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}

// One chunk: length, type, data, CRC over type and data.
bool WriteChunk(std::FILE* out, const char type[4], const uint8_t* data, size_t length) {
  uint8_t head[8];
  PutBigEndian(head, uint32_t(length));
  std::memcpy(head + 4, type, 4);
  uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  if (length) crc = libdeflate_crc32(crc, data, length);
  uint8_t tail[4];
  PutBigEndian(tail, crc);
  return std::fwrite(head, 1, 8, out) == 8 && (length == 0 || std::fwrite(data, 1, length, out) == length) &&
         std::fwrite(tail, 1, 4, out) == 4;
}

bool WriteContainer(std::FILE* out, int w, int h, bool alpha, const uint8_t* zdata, size_t zsize) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (std::fwrite(kSignature, 1, 8, out) != 8) return false;
  uint8_t ihdr[13];
  PutBigEndian(ihdr, uint32_t(w));
  PutBigEndian(ihdr + 4, uint32_t(h));
  ihdr[8] = 8;                                                     // bit depth
  ihdr[9] = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;  // colour type
  ihdr[10] = ihdr[11] = ihdr[12] = 0;                              // deflate, adaptive filters, no interlace
  if (!WriteChunk(out, "IHDR", ihdr, sizeof ihdr)) return false;
  std::string text = std::string("Software") + '\0' + kPngSoftwareText;
  if (!WriteChunk(out, "tEXt", reinterpret_cast<const uint8_t*>(text.data()), text.size())) return false;
  // IDAT in pieces of 1 MiB, as decoders that read chunk by chunk like best.
  constexpr size_t kIdat = size_t(1) << 20;
  for (size_t at = 0; at < zsize; at += kIdat)
    if (!WriteChunk(out, "IDAT", zdata + at, std::min(kIdat, zsize - at))) return false;
  return WriteChunk(out, "IEND", nullptr, 0) && std::fflush(out) == 0;
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

enum class InMemoryResult { kWritten, kFailed, kNotTried };

struct RowFilterer {
  RowReader* reader;
  int w, h, bpp;
  bool alpha;
  uint32_t key;
  // Row buffers one pixel wider than needed: the busy count reads 4 bytes at a time.
  std::vector<uint8_t> rowA, rowB, scratch;

  RowFilterer(RowReader* r, int width, int height, bool withAlpha, uint32_t transparent)
      : reader(r), w(width), h(height), bpp(withAlpha ? 4 : 3), alpha(withAlpha), key(transparent & 0xFFFFFF),
        rowA(size_t(width) * size_t(bpp) + 4), rowB(rowA.size()), scratch(rowA.size()) {}

  // Rows [y0, y1) filtered by the plan's rule into dst, one line of 1 + row bytes each.
  void Filter(const PngPlan& plan, int y0, int y1, uint8_t* dst, SaveProgress* progress) {
    const size_t rowBytes = size_t(w) * size_t(bpp), line = rowBytes + 1;
    uint8_t* cur = rowA.data();
    uint8_t* prev = rowB.data();
    if (y0 > 0) RawRow(reader, y0 - 1, w, alpha, key, prev);
    for (int y = y0; y < y1; ++y) {
      RawRow(reader, y, w, alpha, key, cur);
      const uint8_t* above = y > 0 ? prev : nullptr;
      uint8_t* out = dst + size_t(y - y0) * line;
      switch (plan.rows) {
        case PngRowRule::kNone: FilterPngRow(PngRowFilter::kNone, cur, above, rowBytes, bpp, out); break;
        case PngRowRule::kPaeth: FilterPngRow(PngRowFilter::kPaeth, cur, above, rowBytes, bpp, out); break;
        case PngRowRule::kAdaptive: FilterPngRowAdaptive(cur, above, rowBytes, bpp, out, scratch.data()); break;
        case PngRowRule::kAdaptiveAbove:
          if (PngBusyPercent(cur, above, w, bpp) > plan.busyPercent)
            FilterPngRowAdaptive(cur, above, rowBytes, bpp, out, scratch.data());
          else
            FilterPngRow(PngRowFilter::kNone, cur, above, rowBytes, bpp, out);
          break;
      }
      std::swap(cur, prev);
      // Filtering is about a fifth of the work, compression the rest.
      if (progress && (y & 63) == 63) ReportProgress(progress, int(int64_t(y) * 200 / h));
    }
  }
};

// zlib with runs only (matches at distance 1), fed in slices so that the
// progress moves from `from` to `to` permille. 0 when it fails.
size_t CompressRuns(const uint8_t* in, size_t n, Buffer* out, SaveProgress* progress, int from, int to) {
  z_stream z{};
  if (deflateInit2(&z, 6, Z_DEFLATED, 15, 9, Z_RLE) != Z_OK) return 0;
  size_t done = 0;
  if (out->Allocate(deflateBound(&z, uLong(n)))) {
    z.next_out = out->bytes.get();
    z.avail_out = uInt(out->size);
    constexpr size_t kSlice = size_t(1) << 20;
    int rc = Z_OK;
    for (size_t at = 0; rc == Z_OK && at < n; at += kSlice) {
      const size_t piece = std::min(kSlice, n - at);
      z.next_in = const_cast<Bytef*>(in + at);
      z.avail_in = uInt(piece);
      rc = deflate(&z, at + piece == n ? Z_FINISH : Z_NO_FLUSH);
      ReportProgress(progress, from + int(int64_t(to - from) * int64_t((at + piece) >> 10) / int64_t((n >> 10) + 1)));
    }
    if (n == 0) rc = deflate(&z, Z_FINISH);
    if (rc == Z_STREAM_END) done = z.total_out;
  }
  deflateEnd(&z);
  return done;
}

// The trial of a photographic picture's two ways on up to four bands of 16
// rows spread over it: what each band takes compressed by runs and by
// libdeflate. A failed allocation counts against runs.
void TryPhotoWays(RowFilterer* rows, const PngTuning& tuning, libdeflate_compressor* compressor, size_t* runsBytes,
                  size_t* lzBytes) {
  *runsBytes = SIZE_MAX;
  *lzBytes = 0;
  const int h = rows->h, bandRows = std::min(16, h), bands = std::clamp(h / 16, 1, 4);
  const size_t line = size_t(rows->w) * size_t(rows->bpp) + 1, bandBytes = line * size_t(bandRows);
  Buffer filtered, packed;
  if (!filtered.Allocate(bandBytes) ||
      !packed.Allocate(libdeflate_zlib_compress_bound(compressor, bandBytes)))
    return;
  const PngPlan runs{PngRowRule::kPaeth, 0, PngCoder::kZlibRuns},
      lz{PngRowRule::kAdaptiveAbove, tuning.photoBusyPercent, PngCoder::kLibdeflate};
  size_t runsTotal = 0, lzTotal = 0;
  for (int k = 0; k < bands; ++k) {
    const int y0 = int(int64_t(h - bandRows) * (2 * k + 1) / (2 * bands));
    rows->Filter(lz, y0, y0 + bandRows, filtered.bytes.get(), nullptr);
    lzTotal += libdeflate_zlib_compress(compressor, filtered.bytes.get(), bandBytes, packed.bytes.get(), packed.size);
    rows->Filter(runs, y0, y0 + bandRows, filtered.bytes.get(), nullptr);
    Buffer out;
    const size_t r = CompressRuns(filtered.bytes.get(), bandBytes, &out, nullptr, 0, 0);
    if (r == 0) return;
    runsTotal += r;
  }
  *runsBytes = runsTotal;
  *lzBytes = lzTotal;
}

InMemoryResult EncodeInMemory(std::FILE* out, const Picture& picture, uint32_t transparent, const PngTuning& tuning,
                              SaveProgress* progress, SaveError* error) {
  const int w = picture.width(), h = picture.height();
  const bool alpha = transparent != kNoTransparentColour;
  const size_t rowBytes = size_t(w) * size_t(alpha ? 4 : 3);
  const size_t line = rowBytes + 1;
  if (line != 0 && size_t(h) > tuning.maxInMemoryBytes / line) return InMemoryResult::kNotTried;
  const size_t filteredSize = line * size_t(h);
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(std::clamp(tuning.libdeflateLevel, 1, 12)));
  Buffer filtered;
  if (!compressor || !filtered.Allocate(filteredSize)) return InMemoryResult::kNotTried;

  RowReader reader(picture);
  RowFilterer rows(&reader, w, h, alpha, transparent);
  const bool mostlyBusy = tuning.filter == PngFilterChoice::kAuto &&
                          MostlyBusy(&reader, h, w, tuning.busyPercent, rows.rowA.data(), rows.rowB.data());
  size_t runsBytes = 0, lzBytes = 0;
  if (PngNeedsTrial(tuning, mostlyBusy)) TryPhotoWays(&rows, tuning, compressor.get(), &runsBytes, &lzBytes);
  const PngPlan plan = PlanPng(tuning, mostlyBusy, runsBytes, lzBytes);
  rows.Filter(plan, 0, h, filtered.bytes.get(), progress);
  ReportProgress(progress, 200);

  Buffer packed;
  size_t packedSize = 0;
  if (plan.coder == PngCoder::kZlibRuns) {
    packedSize = CompressRuns(filtered.bytes.get(), filteredSize, &packed, progress, 200, 950);
  } else {
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), filteredSize);
    // Screen content shrinks far below a quarter; photos get the whole bound.
    const bool photo = mostlyBusy || tuning.filter == PngFilterChoice::kAdaptive;
    if (!photo && packed.Allocate(bound / 4 + 4096))
      packedSize = libdeflate_zlib_compress(compressor.get(), filtered.bytes.get(), filteredSize, packed.bytes.get(),
                                            packed.size);
    if (packedSize == 0) {
      packed = Buffer{};
      if (!packed.Allocate(bound)) return InMemoryResult::kNotTried;  // the zlib way needs no more than a row
      packedSize = libdeflate_zlib_compress(compressor.get(), filtered.bytes.get(), filteredSize, packed.bytes.get(),
                                            packed.size);
    }
  }
  filtered = Buffer{};
  if (packedSize == 0) {
    if (error) *error = SaveError{kErrorPng, "Error Writing PNG File! (compression failed)", 0};
    return InMemoryResult::kFailed;
  }
  ReportProgress(progress, 950);
  errno = 0;
  if (!WriteContainer(out, w, h, alpha, packed.bytes.get(), packedSize)) {
    StreamFailure(error, kErrorWrite, "Error Writing PNG File! (write failed)");
    return InMemoryResult::kFailed;
  }
  ReportProgress(progress, 1000);
  return InMemoryResult::kWritten;
}

}  // namespace

bool PngNeedsTrial(const PngTuning& tuning, bool mostlyBusy) {
  return tuning.filter == PngFilterChoice::kAuto && mostlyBusy && tuning.photoCoder == PngPhotoCoder::kRuns;
}

PngPlan PlanPng(const PngTuning& tuning, bool mostlyBusy, size_t runsBytes, size_t lzBytes) {
  switch (tuning.filter) {
    case PngFilterChoice::kNone: return {PngRowRule::kNone, 0, PngCoder::kLibdeflate};
    case PngFilterChoice::kPaeth: return {PngRowRule::kPaeth, 0, PngCoder::kLibdeflate};
    case PngFilterChoice::kAdaptive: return {PngRowRule::kAdaptive, 0, PngCoder::kLibdeflate};
    case PngFilterChoice::kAuto: break;
  }
  if (!mostlyBusy) return {PngRowRule::kAdaptiveAbove, tuning.screenBusyPercent, PngCoder::kLibdeflate};
  // Runs need every row filtered: an unfiltered calm row is one long literal run.
  if (PngNeedsTrial(tuning, mostlyBusy) && runsBytes <= lzBytes) return {PngRowRule::kPaeth, 0, PngCoder::kZlibRuns};
  return {PngRowRule::kAdaptiveAbove, tuning.photoBusyPercent, PngCoder::kLibdeflate};
}

bool WritePngStream(std::FILE* out, const Picture& picture, uint32_t transparent, SaveError* error,
                    const PngTuning& tuning, SaveProgress* progress) {
  auto fail = [&](const char* cls, const std::string& msg) {
    if (error) *error = SaveError{cls, msg, 0};
    return false;
  };
  if (picture.empty()) return fail(kErrorPng, "Error Writing PNG File! (empty picture)");
  if (tuning.deflater == PngDeflater::kLibdeflate) {
    InMemoryResult r = EncodeInMemory(out, picture, transparent, tuning, progress, error);
    if (r != InMemoryResult::kNotTried) return r == InMemoryResult::kWritten;
  }
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
  bool ok = EncodeRows(png, info, &reader, &picture, transparent, &tuning, rowA.data(), rowB.data(), progress);
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
              SaveError* error, SaveProgress* progress) {
  return WriteFileAtomically(
      fileName, [&](std::FILE* f, SaveError* e) { return WritePngStream(f, picture, transparent, e, {}, progress); },
      error);
}

}  // namespace flk
