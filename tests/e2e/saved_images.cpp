#include "saved_images.h"

#include <cmath>
#include <cstring>
#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE and size_t without including them
#include <algorithm>
#include <memory>

#include <jpeglib.h>
#include <png.h>

namespace flk::e2e {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile OpenRead(const std::string& path) { return UniqueFile(std::fopen(path.c_str(), "rb")); }

// ---- PNG ------------------------------------------------------------------------

struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngRead() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Decodes into `out`; false on any libpng error. Kept free of objects with
// destructors between setjmp and longjmp.
bool DecodePng(std::FILE* f, PngRead& r, ReadPicture& out, PngFacts& facts) {
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!r.png) return false;
  r.info = png_create_info_struct(r.png);
  if (!r.info) return false;
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_init_io(r.png, f);
  png_read_info(r.png, r.info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, type = 0, interlace = 0;
  png_get_IHDR(r.png, r.info, &w, &h, &depth, &type, &interlace, nullptr, nullptr);
  facts.bitDepth = depth;
  facts.colourType = type;
  facts.interlace = interlace;
  // Any layout becomes 8-bit RGB for the comparison.
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r.png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(r.png);
  if (depth == 16) png_set_strip_16(r.png);
  if (depth < 8) png_set_packing(r.png);
  png_set_strip_alpha(r.png);
  png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  const size_t stride = png_get_rowbytes(r.png, r.info);
  if (stride < size_t(w) * 3) return false;
  out.width = int(w);
  out.height = int(h);
  out.bitsPerPixel = 24;
  out.rgb.assign(size_t(w) * h, 0);
  std::vector<png_byte> image(stride * h);
  std::vector<png_bytep> rows(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = image.data() + stride * y;
  png_read_image(r.png, rows.data());
  png_read_end(r.png, r.info);
  for (png_uint_32 y = 0; y < h; ++y)
    for (png_uint_32 x = 0; x < w; ++x) {
      const png_byte* p = rows[y] + x * 3;
      out.rgb[size_t(y) * w + x] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  png_textp text = nullptr;
  int count = 0;
  png_get_text(r.png, r.info, &text, &count);
  for (int i = 0; i < count; ++i)
    facts.texts.emplace_back(text[i].key ? text[i].key : "", text[i].text ? std::string(text[i].text, text[i].text_length) : "");
  return true;
}

// ---- JPEG -----------------------------------------------------------------------

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

bool DecodeJpeg(std::FILE* f, jpeg_decompress_struct& cinfo, ReadPicture& out, JpegFacts& facts,
                std::vector<JSAMPLE>& row) {
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  facts.components = cinfo.num_components;
  if (const JQUANT_TBL* t = cinfo.quant_tbl_ptrs[0]) {
    // libjpeg's luminance table (natural order) at scale 200 - 2 * 75 = 50 %.
    static const unsigned kLuminance[64] = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    facts.quality75 = true;
    for (int i = 0; i < 64; ++i)
      if (t->quantval[i] != std::max(1u, (kLuminance[i] * 50 + 50) / 100)) facts.quality75 = false;
  }
  facts.progressive = jpeg_has_multiple_scans(&cinfo) != 0 || cinfo.progressive_mode != 0;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out.width = int(cinfo.output_width);
  out.height = int(cinfo.output_height);
  out.bitsPerPixel = 24;
  out.rgb.assign(size_t(out.width) * size_t(out.height), 0);
  row.assign(size_t(cinfo.output_width) * cinfo.output_components, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const size_t y = cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (int x = 0; x < out.width; ++x) {
      const JSAMPLE* p = row.data() + size_t(x) * 3;
      out.rgb[y * size_t(out.width) + size_t(x)] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  UniqueFile f(std::fopen(path.c_str(), "wb"));
  return f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

}  // namespace

std::optional<ReadPicture> ReadPngFile(const std::string& path, PngFacts* facts) {
  UniqueFile f = OpenRead(path);
  if (!f) return std::nullopt;
  unsigned char sig[8];
  if (std::fread(sig, 1, 8, f.get()) != 8 || png_sig_cmp(sig, 0, 8) != 0) return std::nullopt;
  std::rewind(f.get());
  PngRead r;
  ReadPicture out;
  PngFacts local;
  if (!DecodePng(f.get(), r, out, local)) return std::nullopt;
  if (facts) *facts = local;
  return out;
}

std::optional<ReadPicture> ReadJpegFile(const std::string& path, JpegFacts* facts) {
  UniqueFile f = OpenRead(path);
  if (!f) return std::nullopt;
  jpeg_decompress_struct cinfo{};
  ReadPicture out;
  JpegFacts local;
  std::vector<JSAMPLE> row;
  if (!DecodeJpeg(f.get(), cinfo, out, local, row)) return std::nullopt;
  if (facts) *facts = local;
  return out;
}

uint32_t SmoothColour(int x, int y) {
  uint32_t r = uint32_t(40 + x / 6) & 255, g = uint32_t(30 + y / 4) & 255, b = uint32_t(220 - (x + y) / 10) & 255;
  return (r << 16) | (g << 8) | b;
}

double PictureColourPsnr(const ReadPicture& picture, const RECT& r, ColourAt colour) {
  if (picture.width != r.right - r.left || picture.height != r.bottom - r.top || picture.width == 0) return -1;
  double sum = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      uint32_t a = picture.at(x, y), b = colour(r.left + x, r.top + y);
      for (int shift : {0, 8, 16}) {
        double d = double((a >> shift) & 255) - double((b >> shift) & 255);
        sum += d * d;
      }
    }
  double mse = sum / (3.0 * picture.width * picture.height);
  return mse == 0 ? 1000 : 10 * std::log10(255.0 * 255.0 / mse);
}

std::optional<std::string> ClipboardText() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (auto* p = static_cast<const char*>(::GlobalLock(h))) {
      text = std::string(p, strnlen(p, ::GlobalSize(h)));
      ::GlobalUnlock(h);
    }
  }
  ::CloseClipboard();
  return text;
}

std::string ImageCheckFolder() { return "C:\\FramelarkImageCheck\\"; }

bool HandToImageMagick(const std::string& file, const std::string& name, const RECT& r, ColourAt colour) {
  ::CreateDirectoryA(ImageCheckFolder().c_str(), nullptr);
  const std::string copy = ImageCheckFolder() + name;
  if (!::CopyFileA(file.c_str(), copy.c_str(), FALSE)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  ppm.reserve(ppm.size() + size_t(w) * size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = colour(r.left + x, r.top + y);
      ppm += char((c >> 16) & 255);
      ppm += char((c >> 8) & 255);
      ppm += char(c & 255);
    }
  return WriteWhole(copy + ".expected.ppm", ppm);
}

}  // namespace flk::e2e
