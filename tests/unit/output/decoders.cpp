#include "decoders.h"

#include <algorithm>
#include <cstdio>
#include <csetjmp>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace flk::testing {

namespace fs = std::filesystem;

namespace {

std::FILE* OpenForReading(const fs::path& p) {
#ifdef _WIN32
  return _wfopen(p.c_str(), L"rb");
#else
  return std::fopen(p.c_str(), "rb");
#endif
}

struct File {
  explicit File(const fs::path& p) : f(OpenForReading(p)) {}
  ~File() {
    if (f) std::fclose(f);
  }
  std::FILE* f;
};

bool ReadPngRowsImpl(std::FILE* f, PngFacts* facts, const std::function<void(int, const uint8_t*)>* onRow,
                     std::vector<uint8_t>* row) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
  png_init_io(png, f);
  png_read_info(png, info);
  png_uint_32 w, h;
  int depth, type, interlace, comp, filter;
  png_get_IHDR(png, info, &w, &h, &depth, &type, &interlace, &comp, &filter);
  facts->width = int(w);
  facts->height = int(h);
  facts->bitDepth = depth;
  facts->colourType = type;
  facts->interlace = interlace;
  png_textp text = nullptr;
  int n = png_get_text(png, info, &text, nullptr);
  for (int i = 0; i < n; ++i)
    facts->texts.emplace_back(text[i].key, std::string(text[i].text, text[i].text_length));
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  row->resize(png_get_rowbytes(png, info));
  for (png_uint_32 y = 0; y < h; ++y) {
    png_read_row(png, row->data(), nullptr);
    (*onRow)(int(y), row->data());
  }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct JpegErr {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr c) { std::longjmp(reinterpret_cast<JpegErr*>(c->err)->jump, 1); }

bool ReadJpegImpl(std::FILE* f, jpeg_decompress_struct* cinfo, JpegErr* err, DecodedImage* out, JpegFacts* facts) {
  if (setjmp(err->jump)) return false;
  jpeg_create_decompress(cinfo);
  jpeg_stdio_src(cinfo, f);
  jpeg_read_header(cinfo, TRUE);
  facts->progressive = cinfo->progressive_mode;
  facts->components = cinfo->num_components;
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  out->width = int(cinfo->output_width);
  out->height = int(cinfo->output_height);
  out->rgb.resize(size_t(out->width) * size_t(out->height) * 3);
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = &out->rgb[size_t(cinfo->output_scanline) * size_t(out->width) * 3];
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

bool ReadPngRows(const fs::path& file, PngFacts* facts, const std::function<void(int, const uint8_t*)>& onRow) {
  File f(file);
  if (!f.f) return false;
  PngFacts local;
  std::vector<uint8_t> row;
  return ReadPngRowsImpl(f.f, facts ? facts : &local, &onRow, &row);
}

std::optional<DecodedImage> ReadPng(const fs::path& file, PngFacts* facts) {
  PngFacts local;
  PngFacts* fx = facts ? facts : &local;
  DecodedImage img;
  bool ok = ReadPngRows(file, fx, [&](int y, const uint8_t* row) {
    if (y == 0) {
      img.width = fx->width;
      img.height = fx->height;
      img.rgb.resize(size_t(img.width) * size_t(img.height) * 3);
    }
    int channels = (fx->colourType & PNG_COLOR_MASK_ALPHA) ? 4 : 3;
    for (int x = 0; x < img.width; ++x)
      std::memcpy(&img.rgb[(size_t(y) * size_t(img.width) + size_t(x)) * 3], row + size_t(x) * size_t(channels), 3);
  });
  if (!ok) return std::nullopt;
  return img;
}

std::optional<DecodedImage> ReadJpeg(const fs::path& file, JpegFacts* facts) {
  File f(file);
  if (!f.f) return std::nullopt;
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegErr err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  DecodedImage img;
  JpegFacts local;
  bool ok = ReadJpegImpl(f.f, &cinfo, &err, &img, facts ? facts : &local);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) return std::nullopt;
  return img;
}

int ReadFromStream(GifFileType* gif, GifByteType* data, int length) {
  return int(std::fread(data, 1, size_t(length), static_cast<std::FILE*>(gif->UserData)));
}

std::optional<DecodedImage> ReadGif(const fs::path& file, GifFacts* facts) {
  int error = 0;
  File f(file);
  if (!f.f) return std::nullopt;
  GifFileType* gif = DGifOpen(f.f, ReadFromStream, &error);
  if (!gif) return std::nullopt;
  if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
    DGifCloseFile(gif, &error);
    return std::nullopt;
  }
  const SavedImage& im = gif->SavedImages[0];
  const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : gif->SColorMap;
  DecodedImage img;
  img.width = gif->SWidth;
  img.height = gif->SHeight;
  img.rgb.assign(size_t(img.width) * size_t(img.height) * 3, 0);
  GifFacts local;
  GifFacts* fx = facts ? facts : &local;
  fx->frames = gif->ImageCount;
  fx->paletteSize = map ? map->ColorCount : 0;
  for (int i = 0; map && i < map->ColorCount; ++i)
    fx->palette.push_back(MakeRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
  const int iw = im.ImageDesc.Width, ih = im.ImageDesc.Height;
  fx->indices.assign(im.RasterBits, im.RasterBits + size_t(iw) * size_t(ih));
  bool ok = map && iw == img.width && ih == img.height && im.ImageDesc.Left == 0 && im.ImageDesc.Top == 0;
  for (size_t i = 0; ok && i < fx->indices.size(); ++i) {
    int idx = fx->indices[i];
    if (idx >= map->ColorCount) {
      ok = false;
      break;
    }
    img.rgb[3 * i] = map->Colors[idx].Red;
    img.rgb[3 * i + 1] = map->Colors[idx].Green;
    img.rgb[3 * i + 2] = map->Colors[idx].Blue;
  }
  DGifCloseFile(gif, &error);
  if (!ok) return std::nullopt;
  return img;
}

std::optional<Picture> LoadPngPicture(const fs::path& file) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  File f(file);
  if (!f.f || !png_image_begin_read_from_stdio(&image, f.f)) return std::nullopt;
  image.format = PNG_FORMAT_BGRA;
  auto pic = Picture::Create(int(image.width), int(image.height), 32);
  if (!pic) {
    png_image_free(&image);
    return std::nullopt;
  }
  // Picture rows are stored bottom-up: with a negative row stride libpng
  // starts at the far end of the buffer and writes them in place.
  if (!png_image_finish_read(&image, nullptr, pic->bits(), -int(pic->stride()), nullptr)) return std::nullopt;
  for (int y = 0; y < pic->height(); ++y)
    for (int x = 0; x < pic->width(); ++x) pic->row(y)[4 * x + 3] = 0;
  return pic;
}

double Psnr(const Picture& original, const DecodedImage& decoded) {
  if (original.width() != decoded.width || original.height() != decoded.height) return -1;
  double sum = 0;
  for (int y = 0; y < original.height(); ++y)
    for (int x = 0; x < original.width(); ++x) {
      Rgb a = original.pixel(x, y), b = decoded.at(x, y);
      double dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
      sum += dr * dr + dg * dg + db * db;
    }
  if (sum == 0) return std::numeric_limits<double>::infinity();
  double mse = sum / (3.0 * original.width() * original.height());
  return 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::string FirstDifference(const Picture& original, const DecodedImage& decoded) {
  if (original.width() != decoded.width || original.height() != decoded.height)
    return "size " + std::to_string(decoded.width) + "x" + std::to_string(decoded.height);
  for (int y = 0; y < original.height(); ++y)
    for (int x = 0; x < original.width(); ++x)
      if (original.pixel(x, y) != decoded.at(x, y)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%d,%d): %06X vs %06X", x, y, unsigned(original.pixel(x, y)),
                      unsigned(decoded.at(x, y)));
        return buf;
      }
  return {};
}

Picture MakeScreenLike(int width, int height, int bpp, uint32_t seed) {
  Picture p = *Picture::Create(width, height, bpp);
  std::mt19937 rng(seed);
  if (bpp <= 8) {
    for (auto& e : p.palette()) e = PaletteEntry{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
    if (!p.palette().empty()) p.palette().back() = PaletteEntry{255, 255, 255, 0};
  }
  const Rgb face = MakeRgb(0xD4, 0xD0, 0xC8), text = MakeRgb(0x10, 0x10, 0x10), title = MakeRgb(0x0A, 0x24, 0x6A);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Rgb c = face;
      if (y < 18) c = title;
      else if (x > 8 && x < width - 8 && y > 30 && y < height - 8) {
        c = MakeRgb(255, 255, 255);
        // "text": short runs on lines of 14 pixels
        if ((y % 14) >= 3 && (y % 14) <= 10 && ((x * 7 + y * 3 + int(seed)) % 11) < 4 && (x / 40) % 5 != 4) c = text;
      }
      if (x == 0 || y == 0) c = MakeRgb(255, 255, 255);
      if (x == width - 1 || y == height - 1) c = 0;
      p.setPixel(x, y, c);
    }
  return p;
}

Picture MakePhotoLike(int width, int height, uint32_t seed) {
  Picture p = *Picture::Create(width, height, 24);
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> noise(-12, 12);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      double fx = double(x) / width, fy = double(y) / height;
      int r = int(128 + 100 * std::sin(6.0 * fx + 2.0 * fy)) + noise(rng);
      int g = int(120 + 90 * std::cos(4.0 * fy - 3.0 * fx)) + noise(rng);
      int b = int(60 + 150 * fx * fy) + noise(rng);
      p.setPixel(x, y, MakeRgb(uint8_t(std::clamp(r, 0, 255)), uint8_t(std::clamp(g, 0, 255)),
                               uint8_t(std::clamp(b, 0, 255))));
    }
  return p;
}

fs::path CorpusScreens() {
  fs::path dir = fs::path(FLK_CORPUS_DIR) / "screens";
#ifdef _WIN32
  if (!fs::exists(dir)) dir = fs::path("Z:" FLK_CORPUS_DIR) / "screens";
#endif
  return dir;
}

std::vector<fs::path> CorpusScreenFiles() {
  std::vector<fs::path> files;
  std::error_code ec;
  for (auto& e : fs::directory_iterator(CorpusScreens(), ec))
    if (e.path().extension() == ".png") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

ScratchFolder::ScratchFolder() {
  std::random_device rd;
  path_ = fs::temp_directory_path() / ("flk_output_test_" + std::to_string(rd()) + std::to_string(rd()));
  fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::vector<uint8_t> ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace flk::testing
