#include "output/clipboard_win.h"

#include <vector>

#include "shell/common_services_win.h"
#include "win32/clipboard_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

win::UniquePalette PaletteOf(const Picture& picture) {
  const auto& table = picture.palette();
  if (table.empty()) return win::UniquePalette();
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * table.size());
  auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = WORD(table.size());
  for (size_t i = 0; i < table.size(); ++i)
    lp->palPalEntry[i] = PALETTEENTRY{table[i].red, table[i].green, table[i].blue, 0};
  return win::UniquePalette(::CreatePalette(lp));
}

}  // namespace

bool CopyToClipboard(const Picture& picture, HWND owner) {
  if (picture.empty()) return false;
  // The packed DIB: BITMAPINFO (with masks or colour table), then the pixels.
  std::vector<uint8_t> dib = picture.info(false);
  dib.insert(dib.end(), picture.bits(), picture.bits() + picture.bitsSize());
  win::UniqueGlobal memory = win::GlobalCopy(dib.data(), dib.size());
  if (!memory) {
    ShowWarning("Not enough memory to copy the picture to the clipboard.");
    return false;
  }
  win::UniquePalette palette = PaletteOf(picture);

  ::SetLastError(0);
  win::OpenedClipboard clipboard(owner);
  if (!clipboard.open()) {
    ShowWarning("Cannot open clipboard.");
    return false;
  }
  if (!::EmptyClipboard() || !::SetClipboardData(CF_DIB, memory.get())) {
    ShowWarning("The picture could not be put on the clipboard.");
    return false;
  }
  memory.release();  // the clipboard owns it now
  if (palette && ::SetClipboardData(CF_PALETTE, palette.get())) palette.release();
  return true;
}

}  // namespace flk
