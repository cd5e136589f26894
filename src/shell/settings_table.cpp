#include "shell/settings_table.h"

#include <array>

namespace flk {

namespace {

using T = SettingType;
using S = InstalledSource;

constexpr SettingRow I(const char* n, int installed, int def, bool kept = false) {
  return {n, T::Integer, S::Constant, installed, "", def, kept};
}
// A window's first size: what a new user sees, at the display's scale.
constexpr SettingRow Px(const char* n, int installed96, int def) {
  return {n, T::Integer, S::WindowSize, installed96, "", def, false};
}
constexpr SettingRow B(const char* n, bool installed, bool def) {
  return {n, T::Boolean, S::Constant, installed ? 1 : 0, "", def ? 1 : 0, false};
}
constexpr SettingRow Str(const char* n, InstalledSource s = S::Constant, bool kept = false) {
  return {n, T::String, s, 0, "", 0, kept};
}

constexpr SettingRow kTable[] = {
    {"ProgramName", T::String, S::ProgramName, 0, "", 0, false},
    {"ProgramVersion", T::String, S::ProgramVersion, 0, "", 0, false},
    {"ReInstalCnt", T::Integer, S::RecordCount, 0, "", 0, false},
    {"a", T::Date, S::Now, 0, "", 0, false},
    I("c", 0, 0, true),
    I("PixelFormatPro", 6, 6),
    I("Left", 0, 150),
    I("Top", 0, 100),
    Px("Width", 186, 345),
    Px("Height", 268, 222),
    Str("SaveToFileName"),
    I("NxtFileNum", 1, 1),
    I("RefreshDelay", 255, 255),
    Str("ToolUse", S::Constant, true),
    I("LastCapturesNum", 5, 5),
    B("CloseBtnExits", true, true),
    B("DoTopper", false, true),
    I("CPanelAlign", 1, 1),
    Str("EditorPath", S::FoundEditor),
    B("CamTitle", true, true),
    B("CamToolImages", true, true),
    B("CamToolText", true, true),
    B("CamStatus", true, true),
    B("CambtnPrint", true, true),
    B("CambtnPrintFit", true, true),
    B("CambtnSave", true, true),
    B("CambtnIncSave", true, true),
    B("CambtnCopy", true, true),
    B("CambtnEdit", true, true),
    B("CambtnEmail", true, true),
    B("CambtnSticky", true, true),
    B("CambtnStore", true, true),
    B("CambtnRecall", true, true),
    B("CambtnLock", true, true),
    B("CambtnToEdge", true, true),
    B("CambtnScreen", true, true),
    B("CambtnWindow", true, true),
    B("CambtnInside", true, true),
    B("CambtnScroll", true, true),
    B("CambtnRobo", true, true),
    I("CamBevelWidth", 5, 5),
    B("NsaColorDepth", false, false),
    B("NsaSaveAsFormat", false, false),
    B("NsaEdit", false, false),
    B("NsaNonMapiMsg", false, false),
    B("NsaUseScissors", false, false),
    B("NsaBigImage", false, false),
    B("NsaHiddenControls", false, false),
    B("NsaResizeLimit", false, false),
    B("NsaCntrPt", false, false),
    B("NsaScrollPt", false, false),
    B("NsaEteOff", false, false),
    I("NextTip", 1, 1),
    I("MapiEmail", 0, 0),
    I("MapiClient", 0, 0),
    {"NonMapiOpen", T::Boolean, S::Constant, 1, "", 0, false},
    B("SS_DoVScroll", false, false),
    B("SS_DoIndex", true, true),
    I("SS_Interval", 600, 600),
    I("SS_StepSize", 1, 1),
    I("SS_FileLimit", 8388608, 8388608),
    I("SS_IndexLt", 19, 19),
    I("SS_ScanLt", 20, 20),
    I("SS_ScanTp", 20, 20),
    I("SS_ScanRt", 20, 20),
    I("SS_ScanBt", 28, 28),
    I("SS_RtMargin", 18, 18),
    B("SS_SrchVScroll", true, true),
    B("AS_DoVScroll", true, true),
    B("AS_DoIndex", true, true),
    I("AS_Interval", 400, 400),
    I("AS_StepSize", 1, 1),
    I("AS_FileLimit", 8388608, 8388608),
    I("AS_IndexLt", 19, 19),
    I("AS_ScanLt", 20, 20),
    I("AS_ScanTp", 20, 20),
    I("AS_ScanRt", 20, 20),
    I("AS_ScanBt", 28, 28),
    I("AS_RtMargin", 18, 18),
    B("AS_SrchVScroll", true, true),
    I("ViewerLeft", 150, 150),
    I("ViewerTop", 150, 150),
    Px("ViewerWidth", 790, 550),
    Px("ViewerHeight", 400, 400),
    B("ViewerToolImages", true, true),
    B("ViewerToolText", true, true),
    B("ViewerMemo", true, true),
    B("ViewerStatus", true, true),
    B("ViewerbtnPrint", true, true),
    B("ViewerbtnPrintFit", true, true),
    B("ViewerbtnEmail", true, true),
    B("ViewerbtnCopy", true, true),
    B("ViewerbtnSave", true, true),
    B("ViewerbtnEdit", true, true),
    B("ViewerbtnSticky", true, true),
    B("ViewerbtnDelete", true, true),
    B("ViewerbtnPaste", true, true),
    B("ViewerbtnMirror", true, true),
    B("ViewerbtnFlip", true, true),
    B("ViewerbtnInvert", true, true),
    B("ViewerbtnCamera", true, true),
    B("ViewerbtnSaveInc", true, true),
    B("ViewerbtnCrop", true, true),
    B("ViewerbtnProp", true, true),
    I("ViewerThumbHeight", 39, 39),
    I("ViewerMemoHeight", 32, 32),
};

using P = ScrollParams;
constexpr ScrollParamField kScrollFields[] = {
    {"DoVScroll", &P::doVScroll, nullptr}, {"DoIndex", &P::doIndex, nullptr},    {"Interval", nullptr, &P::interval},
    {"StepSize", nullptr, &P::stepSize},   {"FileLimit", nullptr, &P::fileLimit}, {"IndexLt", nullptr, &P::indexLt},
    {"ScanLt", nullptr, &P::scanLt},       {"ScanTp", nullptr, &P::scanTp},      {"ScanRt", nullptr, &P::scanRt},
    {"ScanBt", nullptr, &P::scanBt},       {"RtMargin", nullptr, &P::rtMargin},  {"SrchVScroll", &P::srchVScroll, nullptr}};

constexpr const char* kCameraButtons[] = {
    "CambtnPrint", "CambtnPrintFit", "CambtnSave",  "CambtnIncSave", "CambtnCopy",   "CambtnEdit",
    "CambtnEmail", "CambtnSticky",   "CambtnStore", "CambtnRecall",  "CambtnLock",   "CambtnToEdge",
    "CambtnScreen", "CambtnWindow",  "CambtnInside", "CambtnScroll", "CambtnRobo"};

}  // namespace

std::span<const SettingRow> UserSettingsTable() { return kTable; }

const SettingRow* FindSetting(const std::string& name) {
  for (const SettingRow& r : kTable)
    if (name == r.name) return &r;
  return nullptr;
}

int TableReadDefault(const std::string& name) {
  const SettingRow* row = FindSetting(name);
  return row ? row->readDefault : 0;
}

std::span<const ScrollParamField> ScrollParamFields() { return kScrollFields; }
std::span<const char* const> CameraButtonSettingNames() { return kCameraButtons; }

}  // namespace flk
