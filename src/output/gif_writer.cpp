#include "output/gif_writer.h"

#include <gif_lib.h>

#include <string>
#include <vector>

#include "output/file_formats_rows.h"
#include "output/jpeg_writer.h"

namespace flk {

namespace {

int OnGifWrite(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::FILE*>(gif->UserData);
  return int(std::fwrite(data, 1, size_t(length), out));
}

}  // namespace

bool WriteGifStream(std::FILE* out, const Picture& picture, SaveError* error, const StaticColours& statics,
                    QuantizeStats* stats) {
  if (picture.empty()) {
    if (error) *error = SaveError{kErrorGif, "Empty picture", 0};
    return false;
  }
  if (picture.width() > kMaxGifSide || picture.height() > kMaxGifSide)
    return RefuseTooLarge(picture, "GIF", kMaxGifSide, error);

  GifPaletteColours palette = BuildGifPalette(picture, statics, stats);
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i)
    colours[i] = GifColorType{RedOf(palette[size_t(i)]), GreenOf(palette[size_t(i)]), BlueOf(palette[size_t(i)])};

  int code = 0;
  errno = 0;
  GifFileType* gif = EGifOpen(out, OnGifWrite, &code);
  auto giveUp = [&](int gifError) {
    bool ioFailure = std::ferror(out) != 0 || gifError == E_GIF_ERR_WRITE_FAILED;
    if (error) {
      const char* text = GifErrorString(gifError);
      *error = SaveError{ioFailure ? kErrorWrite : kErrorGif,
                         std::string("Error writing GIF file (") + (text ? text : "unknown") + ")", ioFailure ? errno : 0};
    }
    return false;
  };
  if (!gif) return giveUp(code);
  ColorMapObject* map = GifMakeMapObject(256, colours);
  bool ok = map != nullptr;
  if (ok) {
    EGifSetGifVersion(gif, false);
    ok = EGifPutScreenDesc(gif, picture.width(), picture.height(), 8, 0, map) == GIF_OK &&
         EGifPutImageDesc(gif, 0, 0, picture.width(), picture.height(), false, nullptr) == GIF_OK;
  }
  if (ok) {
    NearestColourMap mapper(palette);
    RowReader reader(picture);
    std::vector<GifPixelType> line(size_t(picture.width()));
    for (int y = 0; y < picture.height() && ok; ++y) {
      mapper.MapRow(reader.Bgrx(y), picture.width(), line.data());
      ok = EGifPutLine(gif, line.data(), picture.width()) == GIF_OK;
    }
  }
  int failure = ok ? 0 : (map ? gif->Error : E_GIF_ERR_NOT_ENOUGH_MEM);
  GifFreeMapObject(map);
  int closeError = 0;
  if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
    ok = false;
    failure = closeError;
  }
  if (!ok) return giveUp(failure);
  return true;
}

bool WriteGif(const std::filesystem::path& fileName, const Picture& picture, SaveError* error,
              const StaticColours& statics) {
  if (picture.width() > kMaxGifSide || picture.height() > kMaxGifSide)
    return RefuseTooLarge(picture, "GIF", kMaxGifSide, error);
  return WriteFileAtomically(
      fileName, [&](std::FILE* f, SaveError* e) { return WriteGifStream(f, picture, e, statics); }, error);
}

}  // namespace flk
