// Times our PNG, JPEG and GIF writers on real screen pictures, side by side
// with the usual tools run on the same pixels:
//   PNG  ours vs ImageMagick `convert` at its defaults and libpng at its defaults
//   JPEG ours vs `cjpeg -quality 75` (and libjpeg in-process from RGB rows)
//   GIF  ours vs `convert -colors 236 +dither` (time and PSNR)
// Times are CPU milliseconds (user + system), the best of several runs, so
// that other work on the machine does not distort them. External tools are
// timed as whole processes; "net" subtracts the time the same tool needs just to read the
// input and exit (`convert in.ppm null:`), which leaves its encoding time.
//
// Then the time to save two big pictures made of corpus pictures as PNG (a
// 1000 x 16,000 robo-like page and a 4096 x 2160 desktop), both ways.
//
// usage: flk_bench_output <folder of PNG pictures> [--runs N] [--png-level L] [--png-busy P]
//                         [--png-way libdeflate|zlib] [--png-filter auto|none|paeth|adaptive]
//                         [--png-photo runs|libdeflate]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "decoders.h"
#include "output/file_formats_rows.h"
#include "output/gif_writer.h"
#include "output/jpeg_writer.h"
#include "output/png_writer.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace flk;
using namespace flk::testing;

namespace {

int gRuns = 3;
const char* kConvert = "/usr/bin/convert";  // ImageMagick itself, not a wrapper earlier on PATH

// CPU time of this process in ms: other work on the machine does not inflate it.
double Now() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

template <class F>
double BestMs(F&& f) {
  double best = 1e300;
  for (int i = 0; i < gRuns; ++i) {
    double t0 = Now();
    f();
    best = std::min(best, Now() - t0);
  }
  return best;
}

// Runs a tool and returns the CPU time (user + system) it used, in ms.
double Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return NAN;
  int status = 0;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return NAN;
  return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 +
         double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
}

double RunMs(const std::vector<std::string>& args) {
  double best = 1e300;
  for (int i = 0; i < gRuns; ++i) best = std::min(best, Run(args));
  return best;
}

uint64_t SizeOf(const fs::path& p) {
  std::error_code ec;
  auto s = fs::file_size(p, ec);
  return ec ? 0 : s;
}

void WritePpm(const Picture& p, const fs::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  std::fprintf(f, "P6\n%d %d\n255\n", p.width(), p.height());
  RowReader rows(p);
  for (int y = 0; y < p.height(); ++y) std::fwrite(rows.Rgb(y), 1, size_t(p.width()) * 3, f);
  std::fclose(f);
}

// libpng as an application would use it without tuning: default filters
// (adaptive), default zlib level, RGB rows.
bool LibpngDefaults(const Picture& p, const fs::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(p.width()), png_uint_32(p.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  RowReader rows(p);
  for (int y = 0; y < p.height(); ++y) png_write_row(png, const_cast<png_bytep>(rows.Rgb(y)));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

// libjpeg from 24-bit RGB rows, quality 75: what cjpeg does, without the process.
void LibjpegRgb(const Picture& p, const fs::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = JDIMENSION(p.width());
  c.image_height = JDIMENSION(p.height());
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 75, TRUE);
  jpeg_start_compress(&c, TRUE);
  RowReader rows(p);
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = const_cast<JSAMPROW>(rows.Rgb(int(c.next_scanline)));
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

size_t DistinctColours(const Picture& p) {
  std::unordered_set<Rgb> s;
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x) s.insert(p.pixel(x, y));
  return s.size();
}

struct Totals {
  double ours = 0, im = 0, imNet = 0, lib = 0;
  uint64_t oursBytes = 0, imBytes = 0, libBytes = 0;
  uint64_t imRgbBytes = 0;  // ImageMagick told to write 8-bit RGB (PNG24:), the one format ours writes
};

std::string Db(double v) {
  if (std::isinf(v)) return "exact";
  char b[16];
  std::snprintf(b, sizeof b, "%.2f", v);
  return b;
}

// A picture made of corpus pictures laid side by side and one below the other.
Picture Tiled(const std::vector<Picture>& sources, int width, int height) {
  Picture out = *Picture::Create(width, height, 32);
  int y = 0, k = 0;
  while (y < height) {
    const Picture& first = sources[size_t(k) % sources.size()];
    int rowHeight = std::min(first.height(), height - y), x = 0;
    while (x < width) {
      const Picture& s = sources[size_t(k++) % sources.size()];
      const int w = std::min(s.width(), width - x);
      for (int r = 0; r < rowHeight; ++r)
        for (int c = 0; c < w; ++c) out.setRawPixel(x + c, y + r, r < s.height() ? s.pixel(c, r) : 0xFFFFFF);
      x += w;
    }
    y += rowHeight;
  }
  return out;
}

double WallNow() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void BigSaves(const std::vector<fs::path>& files, const PngTuning& tuning, const fs::path& tmp) {
  std::vector<Picture> pages, screens;
  for (const auto& f : files) {
    const std::string n = f.filename().string();
    auto p = LoadPngPicture(f);
    if (!p) continue;
    if (n.find("valgrind") != std::string::npos || n.find("rustbook") != std::string::npos) pages.push_back(*p);
    if (n.find("desktop") != std::string::npos || n.find("photo") != std::string::npos ||
        n.find("std_vec") != std::string::npos)
      screens.push_back(*p);
  }
  if (pages.empty() || screens.empty()) return;
  struct Big {
    const char* what;
    Picture picture;
  } bigs[] = {{"1000 x 16000 page (robo capture)", Tiled(pages, 1000, 16000)},
              {"4096 x 2160 desktop", Tiled(screens, 4096, 2160)}};
  std::printf("\nPNG save of big pictures (WritePng to a file; CPU ms, wall ms, KiB)\n");
  std::printf("%-36s %10s %8s %8s %10s %8s %8s\n", "picture", "way", "CPU", "wall", "KiB", "xIMnet", "size/IM");
  for (const Big& b : bigs) {
    const fs::path ppm = tmp / "big.ppm", im = tmp / "big_im.png", file = tmp / "big.png";
    WritePpm(b.picture, ppm);
    const double imNet = RunMs({kConvert, ppm.string(), im.string()}) - RunMs({kConvert, ppm.string(), "null:"});
    for (PngDeflater way : {PngDeflater::kLibdeflate, PngDeflater::kZlib}) {
      PngTuning t = tuning;
      t.deflater = way;
      double bestCpu = 1e300, bestWall = 1e300;
      for (int i = 0; i < gRuns; ++i) {
        double c0 = Now(), w0 = WallNow();
        std::FILE* f = std::fopen(file.c_str(), "wb");
        WritePngStream(f, b.picture, kNoTransparentColour, nullptr, t);
        std::fclose(f);
        bestCpu = std::min(bestCpu, Now() - c0);
        bestWall = std::min(bestWall, WallNow() - w0);
      }
      std::printf("%-36s %10s %8.1f %8.1f %10.1f %7.1fx %8.3f\n", b.what,
                  way == PngDeflater::kZlib ? "zlib" : "libdeflate", bestCpu, bestWall, SizeOf(file) / 1024.0,
                  imNet / bestCpu, double(SizeOf(file)) / double(SizeOf(im)));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder of PNG pictures> [--runs N] [--png-level L] [--png-busy P]\n", argv[0]);
    return 2;
  }
  PngTuning tuning;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    if (a == "--runs") gRuns = std::max(1, std::atoi(argv[i + 1]));
    if (a == "--png-level") tuning.zlibLevel = tuning.libdeflateLevel = std::atoi(argv[i + 1]);
    if (a == "--png-busy") tuning.busyPercent = std::atoi(argv[i + 1]);
    if (a == "--png-way") tuning.deflater = std::string(argv[i + 1]) == "zlib" ? PngDeflater::kZlib : PngDeflater::kLibdeflate;
    if (a == "--png-photo")
      tuning.photoCoder = std::string(argv[i + 1]) == "libdeflate" ? PngPhotoCoder::kLibdeflate : PngPhotoCoder::kRuns;
    if (a == "--png-filter") {
      std::string f = argv[i + 1];
      tuning.filter = f == "none"       ? PngFilterChoice::kNone
                      : f == "paeth"    ? PngFilterChoice::kPaeth
                      : f == "adaptive" ? PngFilterChoice::kAdaptive
                                        : PngFilterChoice::kAuto;
    }
  }
  std::vector<fs::path> files;
  for (auto& e : fs::directory_iterator(argv[1]))
    if (e.path().extension() == ".png") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ScratchFolder tmp;
  const fs::path ppm = tmp / "in.ppm";

  std::printf("PNG (ms, KiB): ours (%s level %d, photos %s) vs ImageMagick convert defaults vs libpng defaults\n",
              tuning.deflater == PngDeflater::kZlib ? "zlib" : "libdeflate",
              tuning.deflater == PngDeflater::kZlib ? tuning.zlibLevel : tuning.libdeflateLevel,
              tuning.deflater == PngDeflater::kZlib ? "as screens"
              : tuning.photoCoder == PngPhotoCoder::kRuns ? "by runs when the trial agrees"
                                                          : "libdeflate");
  std::printf("%-46s %5s %8s %8s %8s %8s %8s %8s %8s %8s %7s %7s\n", "picture", "kind", "ours", "IM", "IMnet", "libpng",
              "oursKiB", "IMKiB", "libKiB", "xIMnet", "size/IM", "/IMrgb");
  struct Row {
    std::string name;
    bool photo;
    double jOurs, jCjpeg, jLib, gOurs, gIm, gImNet, gPsnr, gImPsnr;
  };
  std::vector<Row> rows;
  Totals ui, photo;
  for (const auto& file : files) {
    auto pic = LoadPngPicture(file);
    if (!pic) continue;
    WritePpm(*pic, ppm);
    Row r;
    r.name = file.filename().string();
    r.photo = DistinctColours(*pic) > 50000;
    Totals& t = r.photo ? photo : ui;

    // PNG
    const fs::path ours = tmp / "ours.png", im = tmp / "im.png", lib = tmp / "lib.png";
    double tOurs = BestMs([&] {
      std::FILE* f = std::fopen(ours.c_str(), "wb");
      WritePngStream(f, *pic, kNoTransparentColour, nullptr, tuning);
      std::fclose(f);
    });
    double tRead = RunMs({kConvert, ppm.string(), "null:"});
    double tIm = RunMs({kConvert, ppm.string(), im.string()});
    double tLib = BestMs([&] { LibpngDefaults(*pic, lib); });
    // At its defaults ImageMagick writes a picture of 256 colours or fewer as
    // a palette PNG; ours always writes 8-bit RGB, so its size is also set
    // beside ImageMagick's in that format.
    const fs::path imRgb = tmp / "im-rgb.png";
    RunMs({kConvert, ppm.string(), "PNG24:" + imRgb.string()});
    double net = tIm - tRead;
    std::printf("%-46s %5s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %7.1fx %7.3f %7.3f\n", r.name.c_str(),
                r.photo ? "photo" : "UI", tOurs, tIm, net, tLib, SizeOf(ours) / 1024.0, SizeOf(im) / 1024.0,
                SizeOf(lib) / 1024.0, net / tOurs, double(SizeOf(ours)) / double(SizeOf(im)),
                double(SizeOf(ours)) / double(SizeOf(imRgb)));
    t.imRgbBytes += SizeOf(imRgb);
    t.ours += tOurs;
    t.im += tIm;
    t.imNet += net;
    t.lib += tLib;
    t.oursBytes += SizeOf(ours);
    t.imBytes += SizeOf(im);
    t.libBytes += SizeOf(lib);

    // JPEG
    const fs::path oj = tmp / "ours.jpg", cj = tmp / "cjpeg.jpg", lj = tmp / "lib.jpg";
    r.jOurs = BestMs([&] {
      std::FILE* f = std::fopen(oj.c_str(), "wb");
      WriteJpegStream(f, *pic, nullptr);
      std::fclose(f);
    });
    r.jCjpeg = RunMs({"/usr/bin/cjpeg", "-quality", "75", "-outfile", cj.string(), ppm.string()});
    r.jLib = BestMs([&] { LibjpegRgb(*pic, lj); });

    // GIF
    const fs::path og = tmp / "ours.gif", ig = tmp / "im.gif";
    r.gOurs = BestMs([&] {
      std::FILE* f = std::fopen(og.c_str(), "wb");
      WriteGifStream(f, *pic, nullptr);
      std::fclose(f);
    });
    r.gIm = RunMs({kConvert, ppm.string(), "-colors", "236", "+dither", ig.string()});
    r.gImNet = r.gIm - tRead;
    auto a = ReadGif(og), b = ReadGif(ig);
    r.gPsnr = a ? Psnr(*pic, *a) : NAN;
    r.gImPsnr = b ? Psnr(*pic, *b) : NAN;
    rows.push_back(r);
  }
  auto total = [](const char* what, const Totals& t) {
    if (t.oursBytes == 0) return;
    std::printf("%-46s %5s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %7.1fx %7.3f %7.3f\n", what, "", t.ours, t.im,
                t.imNet, t.lib, t.oursBytes / 1024.0, t.imBytes / 1024.0, t.libBytes / 1024.0, t.imNet / t.ours,
                double(t.oursBytes) / double(t.imBytes), double(t.oursBytes) / double(t.imRgbBytes));
  };
  total("TOTAL UI screenshots", ui);
  total("TOTAL photo-like", photo);
  BigSaves(files, tuning, tmp.path());

  std::printf("\nJPEG quality 75 (ms): ours (BGRX rows) vs cjpeg process vs libjpeg in-process (RGB rows)\n");
  std::printf("%-46s %8s %8s %8s %9s\n", "picture", "ours", "cjpeg", "libjpeg", "ours/cjpeg");
  double jo = 0, jc = 0, jl = 0;
  for (auto& r : rows) {
    std::printf("%-46s %8.1f %8.1f %8.1f %9.2f\n", r.name.c_str(), r.jOurs, r.jCjpeg, r.jLib, r.jOurs / r.jCjpeg);
    jo += r.jOurs;
    jc += r.jCjpeg;
    jl += r.jLib;
  }
  std::printf("%-46s %8.1f %8.1f %8.1f %9.2f\n", "TOTAL", jo, jc, jl, jo / jc);

  std::printf("\nGIF (ms, PSNR dB): ours vs convert -colors 236 +dither\n");
  std::printf("%-46s %8s %8s %8s %8s %8s %8s\n", "picture", "ours", "IM", "IMnet", "oursdB", "IMdB", "gain");
  double go = 0, gi = 0, gn = 0;
  for (auto& r : rows) {
    double gain = (std::isinf(r.gPsnr) && std::isinf(r.gImPsnr)) ? 0 : r.gPsnr - r.gImPsnr;
    std::printf("%-46s %8.1f %8.1f %8.1f %8s %8s %8s\n", r.name.c_str(), r.gOurs, r.gIm, r.gImNet, Db(r.gPsnr).c_str(),
                Db(r.gImPsnr).c_str(), std::isinf(r.gPsnr) && std::isinf(r.gImPsnr) ? "both=" : Db(gain).c_str());
    go += r.gOurs;
    gi += r.gIm;
    gn += r.gImNet;
  }
  std::printf("%-46s %8.1f %8.1f %8.1f\n", "TOTAL", go, gi, gn);
  return 0;
}
