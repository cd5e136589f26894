#include "output/picture_outputs.h"

namespace flk {

bool OutputWritesFile(PictureOutput output) {
  switch (output) {
    case PictureOutput::Edit:
    case PictureOutput::Email:
    case PictureOutput::SaveAs:
    case PictureOutput::SaveSamePlusOne:
    case PictureOutput::EmailAttachment: return true;
    case PictureOutput::Print:
    case PictureOutput::PrintFit:
    case PictureOutput::Copy: return false;
  }
  return false;
}

}  // namespace flk
