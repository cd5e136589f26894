#include "output/save_file.h"

#include <system_error>

#include "base/bmp.h"
#include "output/file_formats.h"
#include "output/gif_writer.h"
#include "output/jpeg_writer.h"
#include "output/png_writer.h"

namespace flk {

namespace fs = std::filesystem;

inline constexpr const char* kErrorUnknownFormat = "EInvalidGraphic";

bool SaveServices::WritePicture(const std::string& fileName, int formatIndex, const Picture& picture,
                                SaveError* error) {
  return WritePictureFile(PathFromUtf8(fileName), formatIndex, picture, error);
}

bool WritePictureFile(const fs::path& fileName, int formatIndex, const Picture& picture, SaveError* error,
                      SaveProgress* progress) {
  switch (formatIndex) {
    case kFormatBmp:
      return WriteFileAtomically(
          fileName,
          [&](std::FILE* f, SaveError* e) {
            errno = 0;
            if (WriteBmp(picture, f)) return true;
            if (std::ferror(f)) return StreamFailure(e, kErrorWrite, "Error writing bitmap file");
            if (e) *e = SaveError{kErrorBmp, "Error writing bitmap file", 0};
            return false;
          },
          error);
    case kFormatGif: return WriteGif(fileName, picture, error);
    case kFormatJpeg: return WriteJpeg(fileName, picture, error);
    case kFormatPng: return WritePng(fileName, picture, kNoTransparentColour, error, progress);
    default:
      if (error) *error = SaveError{kErrorUnknownFormat, "Unknown picture file extension", 0};
      return false;
  }
}

bool SaveBitmapToFile(std::string& fileName, const Picture& picture, SaveServices& services) {
  std::string folder = FolderOfName(fileName);
  if (!folder.empty() && !CreateFolderChain(folder)) {
    services.ReportFolderNotCreated(folder);
    return false;
  }
  SaveError error;
  if (!services.WritePicture(fileName, FormatFromExtension(fileName), picture, &error)) {
    std::string text = UnableToSaveText(fileName, error.errorClass);
    // A picture the format cannot describe gets a line saying so; a disk
    // problem is explained by the system's own text.
    if (error.errorClass == kErrorTooLarge || error.errorClass == kErrorUnknownFormat)
      text += "\r\n\r\n" + error.message;
    services.ReportSaveFailed(text, error);
    return false;
  }
  fileName = AdvanceNumberedName(fileName);
  return true;
}

namespace {

std::string DefaultSaveName(SaveServices& services) {
  std::string folder = services.DefaultSaveFolder();
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + "Framelark.gif";
}

}  // namespace

bool SaveAs(const Picture& picture, SaveServices& services) {
  std::string name = services.ReadSaveToFileName();
  if (name.empty()) name = DefaultSaveName(services);

  std::string accepted;
  for (;;) {
    int filter;
    if (services.ReadNsaSaveAsFormat()) {
      filter = SilencedFilterIndex(name);
    } else {
      std::optional<int> chosen = services.ChooseFormat(name);
      if (!chosen) return false;
      filter = *chosen;
    }
    bool failed = false;
    auto result = services.ShowSaveDialog(NameWithoutExtension(name), FolderOfName(name), filter, &failed);
    if (failed) {
      if (!services.AskNameNotSaved()) return false;
      continue;
    }
    if (!result) return false;
    if (auto ok = AcceptedSaveName(result->fileName, result->filterIndex)) {
      accepted = *ok;
      break;
    }
    if (!services.AskSelectFormat()) return false;
  }

  std::string root = services.PictureFoldersRoot();
  if (!root.empty() && SavedIntoPictureFolders(accepted, root)) services.NotifyViewerFoldersChanged();

  std::string advanced = accepted;
  if (!SaveBitmapToFile(advanced, picture, services)) return false;
  services.WriteSaveToFileName(advanced);
  services.ShowSaved(accepted);
  return true;
}

bool SaveSameNamePlusOne(const Picture& picture, SaveServices& services) {
  std::string name = services.ReadSaveToFileName();
  std::string folder = FolderOfName(name);
  std::error_code ec;
  if (name.empty() || folder.empty() || !fs::is_directory(PathFromUtf8(folder), ec)) return SaveAs(picture, services);
  std::string advanced = name;
  if (!SaveBitmapToFile(advanced, picture, services)) return false;
  services.WriteSaveToFileName(advanced);
  services.ShowSaved(name);
  return true;
}

std::optional<std::string> MakeEmailAttachment(const Picture& picture, const std::string& programFolder,
                                               SaveServices& services) {
  const std::string path = programFolder + kAttachmentFileName;
  std::string copy = path;  // its advance means nothing here
  if (!SaveBitmapToFile(copy, picture, services)) return std::nullopt;
  services.PutTextOnClipboard(path);
  services.ShowSaved(path);
  services.ShowInformation(kAttachmentMadeText);
  return path;
}

}  // namespace flk
