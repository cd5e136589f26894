#include "camera/camera_support.h"

#include "shell/names.h"

namespace flk {

std::string AboutText() {
  return std::string(kProgramName) + " version " + kProgramVersion +
         "\r\n\r\nSome features patent pending.\r\n\r\nHollowbrook\r\n" + kMakerAddress +
         "\r\n\r\nPNG files are written with libpng (the PNG Development Group) and zlib (Jean-loup "
         "Gailly and Mark Adler); GIF files with giflib (Eric S. Raymond and the GIFLIB authors).\r\n"
         "This software is based in part on the work of the Independent JPEG Group.";
}

DiagnosticsInput WithUnsavedValues(DiagnosticsInput in, const CameraSaveValues& camera, const StartupValues& role) {
  in.refreshDelay = camera.refreshDelay;
  in.camTitle = camera.camTitle;
  in.camToolImages = camera.camToolImages;
  in.camToolText = camera.camToolText;
  in.camStatus = camera.camStatus;
  in.scroll = role.scroll;
  in.robo = role.robo;
  in.toolUse = role.toolUse;
  return in;
}

}  // namespace flk
