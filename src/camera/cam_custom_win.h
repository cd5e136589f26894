// The camera's two customisation dialogs: TfrmCamCustom ("Customize
// Framelark") and TfrmEditSetup ("Editor Setup").
#pragma once

#include <windows.h>

namespace flk {

class TfrmCam;
struct StartupValues;

// Control ids of TfrmCamCustom (read by the end-to-end scenarios).
inline constexpr int kCustomPanelBase = 200;         // + PanelItem
inline constexpr int kCustomButtonBase = 210;        // + toolbar index
inline constexpr int kCustomLastCapturesBase = 230;  // + item
inline constexpr int kCustomBorderBase = 240;        // + item
inline constexpr int kCustomCloseBase = 250;         // + item
inline constexpr int kCustomWaitId = 260, kCustomMemoId = 262, kCustomAdviceBase = 270, kCustomRestoreId = 280;
inline constexpr int kCustomButtonsGroupId = 281;
// TfrmEditSetup.
inline constexpr int kEditSetupPathId = 300, kEditSetupBrowseId = 301, kEditSetupTechId = 302;

// OpenCamCustom: modal, centred on the cursor with its top there; the camera
// follows the panel, button and frame choices at once; OK applies the others.
void OpenCamCustom(TfrmCam& camera, StartupValues& values);
// EditorSettings1Click: modal; OK writes EditorPath.
void OpenEditorSetup(HWND owner);

}  // namespace flk
