#include "output/jpeg_writer.h"

#include <cstdio>  // before jpeglib.h, which uses FILE and size_t without including them
#include <csetjmp>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "output/file_formats_rows.h"

namespace flk {

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void OnJpegMessage(j_common_ptr, int) {}

// Runs under longjmp: no objects with destructors here.
bool Compress(jpeg_compress_struct* cinfo, JpegError* err, std::FILE* out, RowReader* reader,
              const Picture* picture, int quality) {
  if (setjmp(err->jump)) return false;
  jpeg_create_compress(cinfo);
  jpeg_stdio_dest(cinfo, out);
  cinfo->image_width = JDIMENSION(picture->width());
  cinfo->image_height = JDIMENSION(picture->height());
  cinfo->input_components = 4;
  cinfo->in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(reader->Bgrx(int(cinfo->next_scanline)));
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

}  // namespace

bool RefuseTooLarge(const Picture& picture, const char* formatName, int maxSide, SaveError* error) {
  if (error)
    *error = SaveError{kErrorTooLarge,
                       std::string(formatName) + " files cannot hold pictures wider or taller than " +
                           std::to_string(maxSide) + " pixels; this one is " +
                           std::to_string(picture.width()) + " x " + std::to_string(picture.height()) +
                           ". Save it as PNG or BMP.",
                       0};
  return false;
}

bool WriteJpegStream(std::FILE* out, const Picture& picture, SaveError* error, int quality) {
  if (picture.empty()) {
    if (error) *error = SaveError{kErrorJpeg, "Empty picture", 0};
    return false;
  }
  if (picture.width() > kMaxJpegSide || picture.height() > kMaxJpegSide)
    return RefuseTooLarge(picture, "JPEG", kMaxJpegSide, error);
  jpeg_compress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegError err;
  std::memset(&err, 0, sizeof err);
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  err.mgr.emit_message = OnJpegMessage;
  RowReader reader(picture);
  errno = 0;
  bool ok = Compress(&cinfo, &err, out, &reader, &picture, quality);
  jpeg_destroy_compress(&cinfo);
  if (!ok) {
    bool ioFailure = std::ferror(out) != 0;
    if (error)
      *error = SaveError{ioFailure ? kErrorWrite : kErrorJpeg, std::string("Error writing JPEG file (") + err.message + ")",
                         ioFailure ? errno : 0};
    return false;
  }
  if (std::ferror(out)) return StreamFailure(error, kErrorWrite, "Error writing JPEG file");
  return true;
}

bool WriteJpeg(const std::filesystem::path& fileName, const Picture& picture, SaveError* error) {
  // Refuse before a temporary file is even created.
  if (picture.width() > kMaxJpegSide || picture.height() > kMaxJpegSide)
    return RefuseTooLarge(picture, "JPEG", kMaxJpegSide, error);
  return WriteFileAtomically(
      fileName, [&](std::FILE* f, SaveError* e) { return WriteJpegStream(f, picture, e); }, error);
}

}  // namespace flk
