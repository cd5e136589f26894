#include "output/print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <cderr.h>
#include <cstring>
#include <vector>

#include "base/strings.h"
#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {


// A print job that is aborted unless it was ended properly.
class PrintJob {
 public:
  explicit PrintJob(HDC dc) : dc_(dc) {}
  ~PrintJob() {
    if (started_) ::AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  bool Start(const wchar_t* title) {
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title;
    started_ = ::StartDocW(dc_, &doc) > 0;
    return started_;
  }
  bool End() {
    bool ok = ::EndDoc(dc_) > 0;
    started_ = false;
    return ok;
  }

 private:
  HDC dc_;
  bool started_ = false;
};

// The text a failing printing call leaves behind, or `fallback`.
std::string PrintErrorText(const std::string& fallback) {
  DWORD code = ::GetLastError();
  std::string text = code ? TrimLineEnd(SystemErrorText(code)) : std::string();
  ::SetLastError(0);
  return text.empty() ? fallback : text;
}

std::string CommonDialogErrorText(DWORD code) {
  if (code == PDERR_NODEFAULTPRN || code == PDERR_NODEVICES) return kNoDefaultPrinterText;
  return kPrinterNotValidText;
}

void ShowPrintError(HWND owner, const std::string& text) {
  MessageBoxText(owner, text, ApplicationTitleText(), MB_OK | MB_ICONERROR);
}

// The device context of a printer described by DEVNAMES and DEVMODE memory,
// set to print one copy.
win::UniquePrinterDC PrinterDcFrom(HGLOBAL devNames, HGLOBAL devMode) {
  win::GlobalLockScope names(devNames);
  if (!names.get() || names.size() < sizeof(DEVNAMES)) return win::UniquePrinterDC();
  const auto* dn = static_cast<const DEVNAMES*>(names.get());
  const auto* base = static_cast<const wchar_t*>(names.get());
  const wchar_t* driver = base + dn->wDriverOffset;
  const wchar_t* device = base + dn->wDeviceOffset;

  std::vector<uint8_t> modeCopy;
  {
    win::GlobalLockScope mode(devMode);
    if (mode.get() && mode.size() >= sizeof(DEVMODEW)) {
      const auto* dm = static_cast<const DEVMODEW*>(mode.get());
      size_t bytes = size_t(dm->dmSize) + dm->dmDriverExtra;
      if (bytes <= mode.size()) {
        modeCopy.assign(static_cast<const uint8_t*>(mode.get()), static_cast<const uint8_t*>(mode.get()) + bytes);
        auto* copy = reinterpret_cast<DEVMODEW*>(modeCopy.data());
        copy->dmCopies = kPrintCopies;
        copy->dmFields |= DM_COPIES;
      }
    }
  }
  const DEVMODEW* dm = modeCopy.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(modeCopy.data());
  return win::UniquePrinterDC(::CreateDCW(driver, device, nullptr, dm));
}

// The printer of this process: the printer setup's choice, else the default
// printer. On failure *error holds the text to show.
win::UniquePrinterDC OpenPrinter(const TfrmCommon* common, std::string* error) {
  if (common && common->printerDevNames()) {
    win::UniquePrinterDC dc = PrinterDcFrom(common->printerDevNames(), common->printerDevMode());
    if (!dc) *error = PrintErrorText(kPrinterNotValidText);
    return dc;
  }
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (!::PrintDlgW(&pd)) {
    *error = CommonDialogErrorText(::CommDlgExtendedError());
    return win::UniquePrinterDC();
  }
  win::UniqueGlobal devMode(pd.hDevMode), devNames(pd.hDevNames);
  win::UniquePrinterDC dc = PrinterDcFrom(devNames.get(), devMode.get());
  if (!dc) *error = PrintErrorText(kPrinterNotValidText);
  return dc;
}

bool PrintOnPrinter(HDC printer, const Picture& picture, bool fit, PrintedPage* printed, std::string* error) {
  PrintJob job(printer);
  if (!job.Start(win::Widen(kPrintJobTitle).c_str())) {
    *error = PrintErrorText("The print job could not be started.");
    return false;
  }

  PrintPageInput in;
  std::vector<PaletteEntry> systemPalette;
  bool paletteScreen = false;
  {
    win::WindowDC screen(nullptr);
    in.screenDpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    in.screenDpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    paletteScreen = ScreenIsPaletteDevice(screen.get());
    if (paletteScreen) systemPalette = SystemPaletteOf(screen.get());
  }
  in.printerDpiX = ::GetDeviceCaps(printer, LOGPIXELSX);
  in.printerDpiY = ::GetDeviceCaps(printer, LOGPIXELSY);
  in.pageWidth = ::GetDeviceCaps(printer, HORZRES);
  in.pageHeight = ::GetDeviceCaps(printer, VERTRES);
  in.pictureWidth = picture.width();
  in.pictureHeight = picture.height();
  in.fit = fit;
  std::optional<PrintLayout> layout = ComputePrintLayout(in, error);
  if (!layout) return false;

  Picture source = PrintSourcePicture(picture, paletteScreen ? &systemPalette : nullptr);
  if (source.empty()) {
    *error = "Not enough memory to print the picture.";
    return false;
  }

  if (::StartPage(printer) <= 0) {
    *error = PrintErrorText("The page could not be started.");
    return false;
  }
  if (!DrawPrintSource(printer, *layout, source)) {
    *error = PrintErrorText("The printer did not accept the picture.");
    return false;
  }
  if (::EndPage(printer) <= 0) {
    *error = PrintErrorText("The page could not be finished.");
    return false;
  }
  if (!job.End()) {
    *error = PrintErrorText("The print job could not be finished.");
    return false;
  }
  if (printed) {
    printed->layout = *layout;
    printed->printerDpiX = in.printerDpiX;
    printed->printerDpiY = in.printerDpiY;
    printed->physicalOffsetX = ::GetDeviceCaps(printer, PHYSICALOFFSETX);
    printed->physicalOffsetY = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
    printed->physicalWidth = ::GetDeviceCaps(printer, PHYSICALWIDTH);
    printed->physicalHeight = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
    printed->sourceBitsPerPixel = source.bitsPerPixel();
  }
  return true;
}

}  // namespace

bool ScreenIsPaletteDevice(HDC screen) { return (::GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0; }

std::vector<PaletteEntry> SystemPaletteOf(HDC screen) {
  PALETTEENTRY entries[256] = {};
  UINT n = ::GetSystemPaletteEntries(screen, 0, 256, entries);
  std::vector<PaletteEntry> out(256);
  for (UINT i = 0; i < n && i < 256; ++i)
    out[i] = PaletteEntry{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  return out;
}

bool DrawPrintSource(HDC dc, const PrintLayout& layout, const Picture& source) {
  if (source.empty()) return false;
  std::vector<uint8_t> info = source.info();
  win::UniquePalette palette;
  HPALETTE previous = nullptr;
  bool selected = false;
  if (!source.palette().empty() && (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * source.palette().size());
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(source.palette().size());
    for (size_t i = 0; i < source.palette().size(); ++i) {
      const PaletteEntry& e = source.palette()[i];
      lp->palPalEntry[i] = PALETTEENTRY{e.red, e.green, e.blue, 0};
    }
    palette.reset(::CreatePalette(lp));
    if (palette) {
      previous = ::SelectPalette(dc, palette.get(), FALSE);
      selected = previous != nullptr;
      ::RealizePalette(dc);
    }
  }
  // Whole pixels are repeated or dropped; the default mode would merge the
  // colours of dropped pixels into their neighbours.
  int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  int lines = ::StretchDIBits(dc, layout.destLeft, layout.destTop, layout.destWidth, layout.destHeight, 0, 0,
                              source.width(), source.height(), source.bits(),
                              reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  DWORD code = ::GetLastError();
  if (oldMode) ::SetStretchBltMode(dc, oldMode);
  if (selected) ::SelectPalette(dc, previous, FALSE);
  ::SetLastError(code);
  return lines != 0 && lines != int(GDI_ERROR);
}

bool PrintPicture(const Picture& picture, bool fit, const TfrmCommon* common, HWND owner, PrintedPage* printed) {
  std::string error;
  if (picture.empty()) return false;
  ::SetLastError(0);
  win::UniquePrinterDC printer = OpenPrinter(common, &error);
  if (!printer) {
    ShowPrintError(owner, error);
    return false;
  }
  if (!PrintOnPrinter(printer.get(), picture, fit, printed, &error)) {
    ShowPrintError(owner, error);
    return false;
  }
  return true;
}

bool ShowPrinterSetup(TfrmCommon& common, HWND owner) {
  DWORD code = 0;
  if (common.PrinterSetupDialog1Execute(owner, &code)) return true;
  // With no printer at all the dialog has said so itself.
  if (code != 0 && code != PDERR_NODEFAULTPRN && code != PDERR_NODEVICES)
    ShowPrintError(owner, CommonDialogErrorText(code));
  return false;
}

bool PrintPlainText(const std::string& title, const std::string& text, const TfrmCommon* common, HWND owner) {
  std::string error;
  ::SetLastError(0);
  win::UniquePrinterDC printer = OpenPrinter(common, &error);
  if (!printer) {
    ShowPrintError(owner, error);
    return false;
  }
  HDC dc = printer.get();
  // 10 points at the printer's resolution.
  win::UniqueFont font(::CreateFontW(-::MulDiv(10, ::GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New"));
  std::vector<std::wstring> lines(3);
  std::wstring all = win::Widen(text);
  for (size_t start = 0;;) {
    size_t end = all.find(L'\n', start);
    std::wstring line = all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  PrintJob job(dc);
  bool ok = job.Start(win::Widen(title).c_str());
  {
    win::SelectedObject sel(dc, font.get());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    const int lineHeight = std::max(1, int(tm.tmHeight + tm.tmExternalLeading));
    const int margin = ::GetDeviceCaps(dc, LOGPIXELSX) / 2;
    const int perPage = std::max(1, (::GetDeviceCaps(dc, VERTRES) - 2 * margin) / lineHeight);
    for (size_t first = 0; ok && first < lines.size(); first += size_t(perPage)) {
      ok = ::StartPage(dc) > 0;
      for (size_t i = first; ok && i < lines.size() && i < first + size_t(perPage); ++i)
        ::TextOutW(dc, margin, margin + int(i - first) * lineHeight, lines[i].c_str(), int(lines[i].size()));
      ok = ok && ::EndPage(dc) > 0;
    }
  }
  ok = ok && job.End();
  if (!ok) ShowPrintError(owner, PrintErrorText(kPrinterNotValidText));
  return ok;
}

}  // namespace flk
