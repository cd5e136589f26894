#include "output/background_save.h"

namespace flk {

bool SavesInBackground(int width, int height) {
  return width > 0 && height > 0 && int64_t(width) * int64_t(height) > kBackgroundSavePixels;
}

std::string SavingText(const std::string& fileName, int permille) {
  std::string text = "Saving " + fileName;
  if (permille > 0) text += "    " + std::to_string((permille > 1000 ? 1000 : permille) / 10) + "%";
  return text;
}

}  // namespace flk
